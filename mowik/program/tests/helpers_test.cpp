#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "mowik/program/random_between.h"
#include "mowik/program/trimmed_text.h"
#include "mowik/program/version_text.h"

namespace mowik {
namespace {

TEST(RandomBetween, CoversTheWholeRange) {
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int value = RandomBetween(0, 9);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 9);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 10u);
  for (int i = 0; i < 2000; ++i) {
    const int value = RandomBetween(-30, 30);
    ASSERT_GE(value, -30);
    ASSERT_LE(value, 30);
  }
}

TEST(RandomBetween, FixedDraw) {
  ASSERT_TRUE(FixRandomDraw(0.5));
  EXPECT_EQ(RandomBetween(-30, 30), 0);
  EXPECT_EQ(RandomBetween(-10, 10), 0);
  ASSERT_TRUE(FixRandomDraw(0.0));
  EXPECT_EQ(RandomBetween(-30, 30), -30);
  ASSERT_TRUE(FixRandomDraw(0.9999999));
  EXPECT_EQ(RandomBetween(-30, 30), 30);
  EXPECT_FALSE(FixRandomDraw(1.0));
  EXPECT_FALSE(FixRandomDraw(-0.1));
  EXPECT_FALSE(FixRandomDraw(std::nan("")));
  ReleaseRandomDraw();
}

TEST(RandomSource, TheSameSeedGivesTheSameDrawsAndSourcesDoNotTouchEachOther) {
  RandomSource first(42), second(42), other(43);
  ASSERT_TRUE(ProgramRandom().Fix(0.0));  // the program's source fixed changes no other
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const int16_t a = first.Between(-30, 30);
    EXPECT_EQ(a, second.Between(-30, 30));
    differs = differs || a != other.Between(-30, 30);
  }
  EXPECT_TRUE(differs);
  EXPECT_TRUE(first.Fix(0.5));
  EXPECT_EQ(first.Between(-10, 10), 0);
  first.Release();
  ReleaseRandomDraw();
}

TEST(TrimmedText, NumbersAndTexts) {
  EXPECT_EQ(TrimmedText(7), L"7");
  EXPECT_EQ(L"VoiceName" + TrimmedText(7), L"VoiceName7");
  EXPECT_EQ(TrimmedText(-12), L"-12");
  EXPECT_EQ(TrimmedText(L"  15 "), L"15");
  EXPECT_EQ(TrimmedText(L"   "), L"");
}

TEST(VersionText, BothForms) {
  EXPECT_EQ(FormatVersion(1, 0, 378, false), L" 1.00.0378");
  EXPECT_EQ(FormatVersion(1, 0, 378, true), L"1.0.378");
  EXPECT_EQ(FormatVersion(2, 123, 12345, false), L" 2.123.12345");
  EXPECT_EQ(VersionText(true).front(), L'1');
}

}  // namespace
}  // namespace mowik
