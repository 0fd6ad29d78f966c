#include "varelo/release_timing.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(ReleaseTiming, AtMowiksPaceWhatFollowsTheBurstTakesSeventyPerCentOfTheChange) {
  for (const bool voiceless : {true, false})
    for (const double pace : {kStiffPace, 0.8, 1.0, 2.0}) {
      const double stiffness = voiceless ? PaceFade(pace) : 1.0;
      EXPECT_DOUBLE_EQ(AfterBurstLength(100, 0.5, stiffness), 100 * (0.5 + 0.3 * 0.5)) << pace;
      EXPECT_DOUBLE_EQ(AfterBurstLength(100, 1.0, stiffness), 100) << pace;
      EXPECT_DOUBLE_EQ(CopiedTransientMs(pace), 12) << pace;
    }
}

TEST(ReleaseTiming, ScreenReaderPacesShortenAVoicelessReleaseEvenlyAndKeepOnlyTheBurstWhole) {
  for (const double pace : {kEvenPace, 0.3, 0.0, -1.0}) {
    EXPECT_DOUBLE_EQ(PaceFade(pace), 0) << pace;
    EXPECT_DOUBLE_EQ(AfterBurstLength(80, 0.4, PaceFade(pace)), 80 * 0.4) << pace;
  }
  // At two times the copied transient is still whole; at three only the burst itself.
  EXPECT_DOUBLE_EQ(CopiedTransientMs(kEvenPace), 12);
  for (const double pace : {kBurstOnlyPace, 0.2, -1.0}) EXPECT_DOUBLE_EQ(CopiedTransientMs(pace), 6) << pace;
  // A voiced release (stiffness 1) and lengthening stay stiff whatever the pace.
  EXPECT_DOUBLE_EQ(AfterBurstLength(80, 0.4, 1.0), 80 * (0.4 + 0.3 * 0.6));
  EXPECT_DOUBLE_EQ(AfterBurstLength(80, 2.0, PaceFade(0.3)), 80 * (2.0 - 0.3));
}

TEST(ReleaseTiming, BetweenThePacesTheReleaseFadesWithoutAStep) {
  double previous = AfterBurstLength(100, 0.5, PaceFade(kEvenPace));
  double transient = CopiedTransientMs(kBurstOnlyPace);
  for (int i = 1; i <= 30; ++i) {
    const double stiffness = PaceFade(kEvenPace + (kStiffPace - kEvenPace) * i / 30);
    const double now = AfterBurstLength(100, 0.5, stiffness);
    EXPECT_GE(now, previous);
    EXPECT_LE(now - previous, 15.0 / 30 + 1e-9);  // 15 samples over the whole fade
    previous = now;
    const double longer = CopiedTransientMs(kBurstOnlyPace + (kEvenPace - kBurstOnlyPace) * i / 30);
    EXPECT_GE(longer, transient);
    EXPECT_LE(longer - transient, 6.0 / 30 + 1e-9);
    transient = longer;
  }
  EXPECT_DOUBLE_EQ(previous, AfterBurstLength(100, 0.5, 1.0));
  // Out-of-range stiffness is held to its range.
  EXPECT_DOUBLE_EQ(AfterBurstLength(100, 0.5, 7), AfterBurstLength(100, 0.5, 1));
  EXPECT_DOUBLE_EQ(transient, 12);
}

TEST(ReleaseTiming, KnowsPl1sVoicelessStopsAndAffricates) {
  for (const char* s : {"p", "t", "k", "q", "ts", "tS", "ts'"}) EXPECT_TRUE(IsVoicelessRelease(s)) << s;
  for (const char* s : {"b", "d", "g", "dz", "dZ", "dz'", "a", "s", "m", "_", "", "tsx"})
    EXPECT_FALSE(IsVoicelessRelease(s)) << s;
}

}  // namespace
}  // namespace mowik
