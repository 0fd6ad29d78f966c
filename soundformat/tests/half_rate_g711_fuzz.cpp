// Any samples cut into any blocks: the telephony path never reads or writes out of bounds,
// and the cut does not change the output (for even blocks; an odd block drops its last
// sample, so that is compared against the same sample left out of one whole block).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "soundformat/half_rate_g711.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const mowik::G711Law law = data[0] & 1 ? mowik::G711Law::kALaw : mowik::G711Law::kMuLaw;
  const size_t cuts = data[1];
  data += 2;
  size -= 2;
  std::vector<int16_t> samples(size / 2);
  std::memcpy(samples.data(), data, samples.size() * 2);

  // Block sizes from the samples themselves, up to about a second.
  mowik::DecimationFilter pieces;
  std::vector<int16_t> kept;  // the samples the pieces keep (no odd last sample)
  std::vector<uint8_t> out;
  size_t at = 0;
  for (size_t i = 0; at < samples.size(); ++i) {
    size_t n = i < cuts ? static_cast<uint16_t>(samples[i % samples.size()]) % 17000 : samples.size() - at;
    if (n > samples.size() - at) n = samples.size() - at;
    std::vector<uint8_t> part(n / 2 + 1, 0xEE);
    if (mowik::EncodeHalfRateG711(pieces, law, samples.data() + at, n, part.data()) != n / 2) std::abort();
    if (part[n / 2] != 0xEE) std::abort();
    out.insert(out.end(), part.begin(), part.end() - 1);
    kept.insert(kept.end(), samples.begin() + static_cast<long>(at), samples.begin() + static_cast<long>(at + n / 2 * 2));
    at += n;
  }

  mowik::DecimationFilter whole;
  std::vector<uint8_t> expected(kept.size() / 2);
  mowik::EncodeHalfRateG711(whole, law, kept.data(), kept.size(), expected.data());
  if (expected != out) std::abort();
  return 0;
}
