#include "varelo/measure/speaker_alignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace mowik {
namespace {

// A made-up utterance: tones, noise and silence, each segment a "phone" of its own length.
struct Segment {
  double hz;  // 0: noise, < 0: silence
  int64_t length;
};

std::vector<int16_t> Utter(const std::vector<Segment>& segments, std::vector<int64_t>& bounds) {
  std::vector<int16_t> x;
  uint32_t noise = 12345;
  bounds.clear();
  for (const Segment& s : segments) {
    bounds.push_back(static_cast<int64_t>(x.size()));
    for (int64_t i = 0; i < s.length; ++i) {
      double y = 0;
      if (s.hz > 0) y = 8000 * std::sin(2 * std::numbers::pi * s.hz * double(x.size()) / 16000);
      else if (s.hz == 0) noise = noise * 1103515245u + 12345u, y = double(int((noise >> 16) & 0x7fff) - 16384) / 4;
      x.push_back(static_cast<int16_t>(y));
    }
  }
  bounds.push_back(static_cast<int64_t>(x.size()));
  return x;
}

TEST(SpeakerAlignment, CarriesEveryBoundaryToTheSamePlaceInAFasterRendering) {
  // The fast rendering shortens each segment by its own factor, as a speaker does.
  const std::vector<Segment> slow = {{-1, 1600}, {300, 2400}, {0, 1200}, {1200, 1800}, {-1, 800}, {2500, 1600}, {-1, 1600}};
  const std::vector<Segment> fast = {{-1, 800}, {300, 700}, {0, 900}, {1200, 500}, {-1, 500}, {2500, 400}, {-1, 600}};
  std::vector<int64_t> from, to;
  const auto a = Utter(slow, from), b = Utter(fast, to);
  const Cepstra cep;
  const std::vector<int64_t> carried = CarryBoundaries(a, b, from, cep);
  ASSERT_EQ(carried.size(), from.size());
  for (size_t k = 1; k + 1 < carried.size(); ++k)
    EXPECT_NEAR(double(carried[k]), double(to[k]), 160) << "boundary " << k;  // within 10 ms
}

TEST(SpeakerAlignment, KeepsBoundariesIncreasingAndInsideEvenWhenTheyCrowd) {
  std::vector<int64_t> from, to;
  const auto a = Utter({{300, 1600}, {900, 1600}}, from);
  const auto b = Utter({{300, 200}}, to);  // everything after the first tone is gone
  const std::vector<int64_t> bounds = {0, 10, 20, 1600, 1601, 1602, 3200};
  const std::vector<int64_t> carried = CarryBoundaries(a, b, bounds, Cepstra());
  ASSERT_EQ(carried.size(), bounds.size());
  EXPECT_GE(carried.front(), 0);
  for (size_t k = 1; k < carried.size(); ++k) EXPECT_GE(carried[k] - carried[k - 1], kAlignmentMinGap);
  EXPECT_LE(carried.back(), static_cast<int64_t>(b.size()));
}

}  // namespace
}  // namespace mowik
