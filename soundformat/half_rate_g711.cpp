#include "soundformat/half_rate_g711.h"

#include <algorithm>

#include "soundformat/g711.h"

namespace mowik {

size_t EncodeHalfRateG711(DecimationFilter& filter, G711Law law, const int16_t* in, size_t count,
                          uint8_t* out) {
  constexpr size_t kBlock = 4096;  // input samples per pass; even
  int16_t filtered[kBlock / 2];
  const uint8_t* start = out;
  const size_t even = count & ~size_t{1};
  for (size_t done = 0; done < even; done += kBlock) {
    const size_t n = filter.Process(in + done, std::min(kBlock, even - done), filtered);
    out = law == G711Law::kALaw ? std::transform(filtered, filtered + n, out, LinearToALaw)
                                : std::transform(filtered, filtered + n, out, LinearToMuLaw);
  }
  return static_cast<size_t>(out - start);
}

}  // namespace mowik
