#include "mowik/frontend/phoneme_text.h"

#include <gtest/gtest.h>

#include "mowik/frontend/tests/test_lists.h"
#include "mowik/program/random_between.h"

namespace mowik {
namespace {

using testing::ListOf;

std::string Build(const std::wstring& items, int32_t intonation, int16_t base = kBasePitch) {
  ClsStackCollection list = ListOf(items);
  return BuildPhonemeText(list, intonation, base);
}

TEST(PhonemeText, TakWithFullStop) {
  EXPECT_EQ(Build(L"t a k . |", kFalling),
            "\r\nt 70 0 208\r\na 70 0 192\r\nk 150 0 176\r\n_ 200 0 160");
}

TEST(PhonemeText, AlaWithoutMarkCountsTheClosingBlank) {
  EXPECT_EQ(Build(L"a l a |", kFalling), "\r\na 70 0 240\r\nl 70 0 220\r\na 70 0 200");
}

TEST(PhonemeText, StronglyFallingDoublesTheFall) {
  EXPECT_EQ(Build(L"t a k ! |", kStronglyFalling),
            "\r\nt 70 0 256\r\na 70 0 224\r\nk 150 0 192\r\n_ 200 0 160");
}

TEST(PhonemeText, RisingDrawsBaseAndRange) {
  FixRandomDraw(0.0);  // base 190, range 30
  int16_t base = kBasePitch;
  ClsStackCollection list = ListOf(L"t a k ? |");
  EXPECT_EQ(BuildPhonemeText(list, kRising, base),
            "\r\nt 70 0 172\r\na 70 0 178\r\nk 150 0 184\r\n_ 200 0 190");
  EXPECT_EQ(base, 190);
  FixRandomDraw(0.999);  // base 250, range 50
  EXPECT_EQ(Build(L"t a k ? |", kRising),
            "\r\nt 70 0 220\r\na 70 0 230\r\nk 150 0 240\r\n_ 200 0 250");
  ReleaseRandomDraw();
}

TEST(PhonemeText, MarkInsideAWordRestartsTheRun) {
  // As in «ping-pong»: the pause takes the pitch of the phoneme after it, and each half has its
  // own contour. Item n - 1 is no mark, so nothing is lengthened.
  EXPECT_EQ(Build(L"p i N - p o N |", kFalling),
            "\r\np 70 0 190\r\ni 70 0 180\r\nN 70 0 170\r\n_ 200 0 200"
            "\r\np 70 0 200\r\no 70 0 190\r\nN 70 0 180");
}

TEST(PhonemeText, HalvesRoundToEven) {
  // 32 items: step 2.5, so runs 1, 3 and 5 give 2.5, 7.5 and 12.5.
  std::wstring items;
  for (int i = 0; i < 32; ++i) items += L"a ";
  const std::string text = Build(items, kFalling);
  const std::string tail = "\r\na 70 0 172\r\na 70 0 170\r\na 70 0 168\r\na 70 0 165\r\na 70 0 162";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(PhonemeText, EmptyAndBlankOnlyListsGiveNothing) {
  EXPECT_EQ(Build(L"", kFalling), "");
  EXPECT_EQ(Build(L"|", kFalling), "");
  ClsStackCollection list = ListOf(L"a |");
  int16_t base = kBasePitch;
  BuildPhonemeText(list, kFalling, base);
  EXPECT_EQ(list.Count(), 0) << "the list is emptied";
}

TEST(PhonemeText, LongStretchesKeepTheirPitchInRange) {
  // A 100,000-letter word: a 16-bit run counter would wrap; the pitch stays within the range.
  ClsStackCollection list;
  for (int i = 0; i < 100000; ++i) list.Push(L"a");
  list.Push(L" ");
  int16_t base = kBasePitch;
  const std::string text = BuildPhonemeText(list, kStronglyFalling, base);
  EXPECT_EQ(text.substr(0, 14), "\r\na 70 0 320\r\n");
  EXPECT_EQ(text.substr(text.size() - 10), "a 70 0 160");
}

TEST(PhonemeText, LinesAndPauseMarks) {
  EXPECT_EQ(PhonemeLine({L"a", 175, 70}), "a 70 0 175");
  EXPECT_EQ(PhonemeLine({L"_", 160, 200}), "_ 200 0 160");
  for (const wchar_t* mark : {L".", L"!", L"?", L"-", L",", L":", L"(", L")", L";"})
    EXPECT_TRUE(IsPause(mark)) << mark;
  for (const wchar_t* item : {L" ", L"a", L"_", L"", L"q"}) EXPECT_FALSE(IsPause(item)) << item;
}

}  // namespace
}  // namespace mowik
