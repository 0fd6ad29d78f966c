#include "mowik/verbalise/replace_all.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(ReplaceAll, EveryOccurrenceLeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll(L"a.pl i b.pl", L".pl", L",pe el "), L"a,pe el  i b,pe el ");
  EXPECT_EQ(ReplaceAll(L"aaaaa", L"aa", L"b"), L"bba");
  EXPECT_EQ(ReplaceAll(L"aaab", L"aab", L"X"), L"aX") << "a partial match falls back correctly";
  EXPECT_EQ(ReplaceAll(L"abababc", L"ababc", L"X"), L"abX");
  EXPECT_EQ(ReplaceAll(L"nic", L"x", L"y"), L"nic");
  EXPECT_EQ(ReplaceAll(L"ab", L"abc", L"y"), L"ab");
  EXPECT_EQ(ReplaceAll(L"", L"a", L"y"), L"");
}

TEST(ReplaceAll, InsertedTextIsNotSearchedAgain) {
  EXPECT_EQ(ReplaceAll(L"a-b", L"-", L"--"), L"a--b");
  EXPECT_EQ(ReplaceAll(L"kot", L"kot", L"kotek"), L"kotek");
}

TEST(ReplaceAll, EmptyFindChangesNothing) {
  EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
  EXPECT_EQ(ReplaceAllIgnoringCase(L"abc", L"", L"x"), L"abc");
}

TEST(ReplaceAll, IgnoringCaseCoversPolishLetters) {
  EXPECT_EQ(ReplaceAllIgnoringCase(L"łódź i ŁÓDŹ", L"Łódź", L"miasto"), L"miasto i miasto");
  EXPECT_EQ(ReplaceAllIgnoringCase(L"Kot kOT", L"kot", L"Pies"), L"Pies Pies") << "replacement as given";
  EXPECT_EQ(ReplaceAll(L"Kot kot", L"kot", L"pies"), L"Kot pies");
}

TEST(ReplaceAll, LongTextsWithSelfOverlappingPatterns) {
  // Worst case for a naive search: every position almost matches.
  const std::wstring text(200000, L'a');
  const std::wstring find = std::wstring(1000, L'a') + L'b';
  EXPECT_EQ(ReplaceAll(text, find, L"x"), text);
  EXPECT_EQ(ReplaceAll(text + L'b', find, L"x"), std::wstring(199000, L'a') + L'x');
}

}  // namespace
}  // namespace mowik
