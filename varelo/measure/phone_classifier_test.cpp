#include "varelo/measure/phone_classifier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace mowik {
namespace {

// A made-up phone: hz > 0 a tone, 0 noise, < 0 silence, for each part in turn (equal lengths).
std::vector<int16_t> Phone(std::vector<double> parts, int64_t length, uint32_t seed = 7) {
  std::vector<int16_t> x;
  for (double hz : parts)
    for (int64_t i = 0; i < length / static_cast<int64_t>(parts.size()); ++i) {
      double y = 0;
      if (hz > 0) y = 8000 * std::sin(2 * std::numbers::pi * hz * double(x.size()) / 16000);
      else if (hz == 0) seed = seed * 1103515245u + 12345u, y = double(int((seed >> 16) & 0x7fff) - 16384) / 4;
      x.push_back(static_cast<int16_t>(y));
    }
  return x;
}

PhoneShape Shape(const std::vector<int16_t>& x, const char* symbol, int utterance) {
  PhoneShape s = ShapeOf(Cepstra(), x, 0, static_cast<int64_t>(x.size()), 8000.0 * 8000 / 2, 1e-3);
  s.symbol = symbol;
  s.utterance = utterance;
  return s;
}

TEST(PhoneClassifier, HearsAPhoneAsTheNearestOfTheSpeakersWhateverItsLength) {
  const std::vector<PhoneShape> speaker = {
      Shape(Phone({300}, 1600), "a", 1), Shape(Phone({2500}, 1600), "i", 1), Shape(Phone({0}, 1600), "s", 2),
      // An affricate: a closure, then frication; the order within the phone tells it from the
      // fricative with silence after it.
      Shape(Phone({-1, 0}, 1600), "ts", 2), Shape(Phone({0, -1}, 1600), "s_", 3)};
  // A third as long, as at three times the pace.
  EXPECT_EQ(HeardAs(Shape(Phone({300}, 533), "a", 9), speaker), "a");
  EXPECT_EQ(HeardAs(Shape(Phone({2500}, 533), "i", 9), speaker), "i");
  EXPECT_EQ(HeardAs(Shape(Phone({0}, 533, 99), "s", 9), speaker), "s");
  EXPECT_EQ(HeardAs(Shape(Phone({-1, 0}, 533, 99), "ts", 9), speaker), "ts");
  EXPECT_EQ(HeardAs(Shape(Phone({0, -1}, 533, 99), "s_", 9), speaker), "s_");
}

TEST(PhoneClassifier, NeverMatchesAPhoneWithARecordingOfItsOwnUtterance) {
  const PhoneShape own = Shape(Phone({300}, 1600), "a", 4);
  const std::vector<PhoneShape> speaker = {own, Shape(Phone({2500}, 1600), "i", 5)};
  EXPECT_EQ(HeardAs(own, speaker), "i");                  // its own recording is left out
  EXPECT_EQ(HeardAs(own, {own}), "");                     // nothing else to hear it as
  EXPECT_EQ(HeardAs(own, {}), "");
}

TEST(PhoneClassifier, ShapesSilenceAndTheEdgesOfTheRecordingWithoutFailing) {
  const std::vector<int16_t> silent(800, 0);
  const PhoneShape s = ShapeOf(Cepstra(), silent, -400, 1200, 1e6, 1e-3);  // reaches past both ends
  ASSERT_EQ(s.features.size(), static_cast<size_t>(kShapePoints * (Cepstra::kCoefficients + 1)));
  for (double f : s.features) EXPECT_TRUE(std::isfinite(f));
  const PhoneShape empty = ShapeOf(Cepstra(), silent, 300, 300, 1e6, 1e-3);  // no length at all
  for (double f : empty.features) EXPECT_TRUE(std::isfinite(f));
}

}  // namespace
}  // namespace mowik
