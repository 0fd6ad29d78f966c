#include "varelo/release_timing.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(ReleaseTiming, AtMowiksPaceWhatFollowsTheBurstTakesSeventyPerCentOfTheChange) {
  for (const bool voiceless : {true, false})
    for (const double pace : {kStiffPace, 0.8, 1.0, 2.0}) {
      EXPECT_DOUBLE_EQ(AfterBurstLength(100, 0.5, pace, voiceless), 100 * (0.5 + 0.3 * 0.5)) << pace;
      EXPECT_DOUBLE_EQ(AfterBurstLength(100, 1.0, pace, voiceless), 100) << pace;
    }
}

TEST(ReleaseTiming, ScreenReaderPacesShortenAVoicelessReleaseEvenlyAndAVoicedOneStiffly) {
  for (const double pace : {kEvenPace, 0.3, 0.0, -1.0}) {
    EXPECT_DOUBLE_EQ(AfterBurstLength(80, 0.4, pace, true), 80 * 0.4) << pace;
    EXPECT_DOUBLE_EQ(AfterBurstLength(80, 0.4, pace, false), 80 * (0.4 + 0.3 * 0.6)) << pace;
  }
  // Lengthening stays stiff whatever the pace.
  EXPECT_DOUBLE_EQ(AfterBurstLength(80, 2.0, 0.3, true), 80 * (2.0 - 0.3));
}

TEST(ReleaseTiming, BetweenThePacesTheShareFadesWithoutAStep) {
  double previous = AfterBurstLength(100, 0.5, kEvenPace, true);
  for (int i = 1; i <= 30; ++i) {
    const double pace = kEvenPace + (kStiffPace - kEvenPace) * i / 30;
    const double now = AfterBurstLength(100, 0.5, pace, true);
    EXPECT_GE(now, previous);
    EXPECT_LE(now - previous, 15.0 / 30 + 1e-9);  // 15 samples over the whole fade
    previous = now;
  }
  EXPECT_DOUBLE_EQ(previous, AfterBurstLength(100, 0.5, kStiffPace, true));
}

TEST(ReleaseTiming, KnowsPl1sVoicelessStopsAndAffricates) {
  for (const char* s : {"p", "t", "k", "q", "ts", "tS", "ts'"}) EXPECT_TRUE(IsVoicelessRelease(s)) << s;
  for (const char* s : {"b", "d", "g", "dz", "dZ", "dz'", "a", "s", "m", "_", "", "tsx"})
    EXPECT_FALSE(IsVoicelessRelease(s)) << s;
}

}  // namespace
}  // namespace mowik
