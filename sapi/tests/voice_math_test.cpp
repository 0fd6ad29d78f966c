// SAPI's rate, volume, pitch and skip in Mowik's terms.
#include "sapi/voice_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace mowik {
namespace {

TEST(VoiceMathTest, RateTenIsThreeTimesFasterMinusTenThreeTimesSlower) {
  EXPECT_DOUBLE_EQ(DurationFactor(0), 1.0);
  EXPECT_NEAR(DurationFactor(10), 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(DurationFactor(-10), 3.0, 1e-12);
  EXPECT_NEAR(DurationFactor(5) * DurationFactor(5), DurationFactor(10), 1e-12);
  EXPECT_NEAR(DurationFactor(99), DurationFactor(10), 1e-12);  // beyond the scale: its end
}

TEST(VoiceMathTest, TagRateAddsToTheBaseWithinTheScale) {
  EXPECT_EQ(CombinedRate(3, 4), 7);
  EXPECT_EQ(CombinedRate(8, 5), 10);
  EXPECT_EQ(CombinedRate(-8, -5), -10);
  EXPECT_EQ(CombinedRate(-10, 20), 10);  // a tag may move a slow base all the way up
  EXPECT_EQ(CombinedRate(LONG_MAX, LONG_MAX), 10);
  EXPECT_EQ(CombinedRate(LONG_MIN, LONG_MIN), -10);
}

TEST(VoiceMathTest, VolumesMultiply) {
  EXPECT_DOUBLE_EQ(VolumeRatio(100, 100), 1.0);
  EXPECT_DOUBLE_EQ(VolumeRatio(50, 100), 0.5);
  EXPECT_DOUBLE_EQ(VolumeRatio(50, 50), 0.25);
  EXPECT_DOUBLE_EQ(VolumeRatio(0, 100), 0.0);
  EXPECT_DOUBLE_EQ(VolumeRatio(65535, 300), 1.0);
}

TEST(VoiceMathTest, PitchTagIsASemitoneAStep) {
  EXPECT_DOUBLE_EQ(PitchFactor(0), 1.0);
  EXPECT_NEAR(PitchFactor(10) * PitchFactor(-10), 1.0, 1e-12);
  EXPECT_NEAR(PitchFactor(12 - 2), std::pow(2.0, 10.0 / 12), 1e-12);
  EXPECT_DOUBLE_EQ(PitchFactor(1000), PitchFactor(10));
}

TEST(VoiceMathTest, SkipsLandWithinTheSentences) {
  EXPECT_EQ(SkipTarget(2, 5, 1).target, 3u);
  EXPECT_EQ(SkipTarget(2, 5, 1).skipped, 1);
  EXPECT_EQ(SkipTarget(2, 5, 0).target, 2u);  // the current sentence again
  EXPECT_EQ(SkipTarget(2, 5, -1).target, 1u);
  const SkipResult far = SkipTarget(2, 5, 100);
  EXPECT_EQ(far.target, 5u);  // past the last: nothing more is spoken
  EXPECT_EQ(far.skipped, 3);
  const SkipResult back = SkipTarget(2, 5, -100);
  EXPECT_EQ(back.target, 0u);
  EXPECT_EQ(back.skipped, -2);
  EXPECT_EQ(SkipTarget(0, 0, 1).skipped, 0);
  EXPECT_EQ(SkipTarget(1, 5, LONG_MIN).target, 0u);
}

}  // namespace
}  // namespace mowik
