// The G.711 bytes checked against sox's encoders, which no one here wrote. (The sound files
// are read by sox in check_sample_files.cmake, written through the audio library.)
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "soundformat/g711.h"
#include "soundformat/half_rate_g711.h"
#include "soundformat/tests/sox_peer.h"

namespace mowik {
namespace {

using testing::ReadBytes;
using testing::RunCommand;
using testing::ScratchPath;
using testing::WriteBytes;

// sox's own encoding of 16-bit little-endian samples, without dither.
std::vector<uint8_t> SoxEncode(const std::vector<int16_t>& samples, const char* encoding) {
  const std::string in = ScratchPath(".s16"), out = ScratchPath(".g711");
  WriteBytes(in, samples.data(), samples.size() * 2);
  int status = 0;
  RunCommand(std::string("sox -D -t raw -r 8000 -e signed -b 16 -c 1 ") + in + " -t raw -e " + encoding +
          " -b 8 " + out,
      &status);
  EXPECT_EQ(status, 0) << "sox is needed for these tests (bash scripts/mowik-dev.sh setup)";
  std::vector<uint8_t> bytes = ReadBytes(out);
  std::remove(in.c_str());
  std::remove(out.c_str());
  return bytes;
}

TEST(G711AgainstSox, EverySixteenBitValue) {
  std::vector<int16_t> all;
  for (int s = -32768; s <= 32767; ++s) all.push_back(static_cast<int16_t>(s));
  const auto alaw = SoxEncode(all, "a-law");
  const auto mulaw = SoxEncode(all, "u-law");
  ASSERT_EQ(alaw.size(), all.size());
  ASSERT_EQ(mulaw.size(), all.size());
  for (size_t i = 0; i < all.size(); ++i) {
    ASSERT_EQ(LinearToALaw(all[i]), alaw[i]) << all[i];
    ASSERT_EQ(LinearToMuLaw(all[i]), mulaw[i]) << all[i];
  }
}

// Speech-like test signal: a few partials and noise, with loud stretches that drive the
// filter's running sum into its clamp.
std::vector<int16_t> SpeechLike(size_t count) {
  std::mt19937 random(4);
  std::normal_distribution<double> noise(0, 1500);
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    const double t = i / 16000.0;
    const double loud = (i / 8000) % 3 == 2 ? 3.0 : 1.0;
    const double v = loud * (6000 * std::sin(2 * std::numbers::pi * 180 * t) + 3000 * std::sin(2 * std::numbers::pi * 2200 * t) +
                             2000 * std::sin(2 * std::numbers::pi * 6100 * t)) + noise(random);
    samples[i] = static_cast<int16_t>(std::lround(std::fmax(-32768, std::fmin(32767, v))));
  }
  return samples;
}

TEST(G711AgainstSox, HalfRatePathEncodesTheFilteredSamplesAsSoxDoes) {
  const auto input = SpeechLike(48001);
  DecimationFilter reference;
  std::vector<int16_t> filtered(input.size() / 2);
  reference.Process(input.data(), input.size(), filtered.data());

  for (const auto& [law, encoding] : {std::pair{G711Law::kALaw, "a-law"}, std::pair{G711Law::kMuLaw, "u-law"}}) {
    DecimationFilter filter;
    std::vector<uint8_t> ours(input.size() / 2);
    // In engine-sized blocks, as the player writes them.
    size_t at = 0, written = 0;
    while (at < input.size()) {
      const size_t n = std::min<size_t>(4096, input.size() - at);
      written += EncodeHalfRateG711(filter, law, input.data() + at, n, ours.data() + written);
      at += n;
    }
    ASSERT_EQ(written, ours.size());
    EXPECT_EQ(ours, SoxEncode(filtered, encoding)) << encoding;
  }
}

}  // namespace
}  // namespace mowik
