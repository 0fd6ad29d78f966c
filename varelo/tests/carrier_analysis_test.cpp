// The generator's measurements, on made-up recordings whose answers are known.

#include "varelo/generator/carrier_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace mowik {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRate = 22050;

// A buzz like the speaker's: harmonics of f0 in sine phase, so that each pulse (a sharp fall)
// sits on a downward zero crossing of the fundamental, where 2 pi f0 n / rate + phase is a
// whole number of turns; from first to end, silence elsewhere.
std::vector<int16_t> Buzz(size_t size, int64_t first, int64_t end, double f0, double phase) {
  std::vector<int16_t> x(size, 0);
  for (int64_t n = first; n < end; ++n) {
    double v = 0;
    for (int h = 1; h <= 12; ++h) v -= std::sin(h * (2 * kPi * f0 * n / kRate + phase)) / h;
    x[static_cast<size_t>(n)] = static_cast<int16_t>(std::lround(3000 * v));
  }
  return x;
}

TEST(CarrierAnalysis, FindsVoicingAndTheSpeakersPitch) {
  const std::vector<int16_t> x = Buzz(22050, 4000, 16000, 125.6, 0.7);
  const std::vector<Stretch> voiced = VoicedStretches(x, kRate / 125.6);
  ASSERT_EQ(voiced.size(), 1u);
  // Frames two periods long: the edges are known to a period and a half.
  EXPECT_NEAR(voiced[0].first, 4000, 265);
  EXPECT_NEAR(voiced[0].second, 16000, 265);
  EXPECT_NEAR(MeasurePitch(x, voiced, kRate, 110, 140), 125.6, 0.02);
}

TEST(CarrierAnalysis, MarksLieOnThePulsesInsideVoicingAndFillTheRest) {
  const double f0 = 125.6, period = kRate / f0, phase = 1.9;
  const std::vector<int16_t> x = Buzz(22050, 5000, 15000, f0, phase);
  const std::vector<PitchMark> marks = PitchMarks(x, VoicedStretches(x, period), period);
  size_t voiced = 0;
  for (size_t i = 0; i < marks.size(); ++i) {
    if (i > 0) {
      EXPECT_GT(marks[i].position, marks[i - 1].position);
      EXPECT_NEAR(marks[i].position - marks[i - 1].position, period, period / 2 + 1);
    }
    if (!marks[i].voiced) continue;
    ++voiced;
    const double cycles = (2 * kPi * f0 * marks[i].position / kRate + phase) / (2 * kPi);
    EXPECT_NEAR(cycles, std::round(cycles), 0.02) << marks[i].position;
  }
  EXPECT_NEAR(voiced, 10000 / period, 4);
  EXPECT_LT(marks.front().position, period);
  EXPECT_GT(marks.back().position, 22050 - 2 * period);
}

TEST(CarrierAnalysis, ClosureStartsWhereTheSoundStops) {
  std::vector<int16_t> x = Buzz(8000, 0, 3000, 125.6, 0);
  for (size_t n = 3000; n < 4000; ++n) x[n] = static_cast<int16_t>(n % 2 ? 40 : -40);  // voice bar
  EXPECT_NEAR(ClosureStart(x, 1000, 4000, 2205, kRate), 3000, 50);
  // Never further back than allowed, never before from.
  EXPECT_GE(ClosureStart(x, 1000, 4000, 441, kRate), 4000 - 441);
  EXPECT_GE(ClosureStart(x, 3500, 4000, 2205, kRate), 3500);
  // Loud right up to the burst: no closure.
  EXPECT_EQ(ClosureStart(Buzz(8000, 0, 8000, 125.6, 0), 1000, 4000, 2205, kRate), 4000);
}

TEST(CarrierAnalysis, ResamplingKeepsATonesFrequencyAndLevel) {
  std::vector<int16_t> x(22050);
  for (size_t n = 0; n < x.size(); ++n) x[n] = static_cast<int16_t>(std::lround(10000 * std::sin(2 * kPi * 1000 * n / kRate)));
  const std::vector<int16_t> y = Resample(x, kRate, 16000, 4000, 8000);
  ASSERT_EQ(y.size(), 8000u);
  for (size_t n = 0; n < y.size(); ++n)
    ASSERT_NEAR(y[n], 10000 * std::sin(2 * kPi * 1000 * (4000.0 + n) / 16000), 150) << n;
  // Above the new Nyquist frequency, nothing passes.
  for (size_t n = 0; n < x.size(); ++n) x[n] = static_cast<int16_t>(std::lround(10000 * std::sin(2 * kPi * 9500 * n / kRate)));
  for (int16_t s : Resample(x, kRate, 16000, 2000, 4000)) ASSERT_LT(std::abs(s), 300);
}

}  // namespace
}  // namespace mowik
