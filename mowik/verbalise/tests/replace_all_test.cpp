#include "mowik/verbalise/replace_all.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

// The result of the case-insensitive form, or of the exact one, which must not depend on the
// character it looks for first.
std::wstring Replaced(bool ignoring_case, std::wstring text, std::wstring_view find, std::wstring_view replacement) {
  if (ignoring_case) {
    ReplaceAllIgnoringCase(text, find, replacement);
    return text;
  }
  std::wstring first = text;
  ReplaceAll(first, find, replacement);
  for (size_t anchor = 1; anchor <= find.size() && anchor < 16; ++anchor) {
    std::wstring other = text;
    ReplaceAll(other, find, replacement, anchor);
    EXPECT_EQ(other, first) << "looking first for character " << anchor << " of the text to find";
  }
  return first;
}

TEST(ReplaceAll, EveryOccurrenceLeftToRightWithoutOverlap) {
  EXPECT_EQ(Replaced(false, L"a.pl i b.pl", L".pl", L",pe el "), L"a,pe el  i b,pe el ");
  EXPECT_EQ(Replaced(false, L"aaaaa", L"aa", L"b"), L"bba");
  EXPECT_EQ(Replaced(false, L"aaab", L"aab", L"X"), L"aX") << "a partial match falls back correctly";
  EXPECT_EQ(Replaced(false, L"abababc", L"ababc", L"X"), L"abX");
  EXPECT_EQ(Replaced(false, L"ababa", L"aba", L"X"), L"Xba");
  EXPECT_EQ(Replaced(false, L" z o o  z o o z o o ", L" z o o ", L" zoo "), L" zoo  zoo z o o ");
  EXPECT_EQ(Replaced(false, L"nic", L"x", L"y"), L"nic");
  EXPECT_EQ(Replaced(false, L"ab", L"abc", L"y"), L"ab");
  EXPECT_EQ(Replaced(false, L"", L"a", L"y"), L"");
}

TEST(ReplaceAll, InsertedTextIsNotSearchedAgain) {
  EXPECT_EQ(Replaced(false, L"a-b", L"-", L"--"), L"a--b");
  EXPECT_EQ(Replaced(false, L"kot", L"kot", L"kotek"), L"kotek");
}

TEST(ReplaceAll, EmptyFindChangesNothing) {
  EXPECT_EQ(Replaced(false, L"abc", L"", L"x"), L"abc");
  EXPECT_EQ(Replaced(true, L"abc", L"", L"x"), L"abc");
}

TEST(ReplaceAll, IgnoringCaseCoversPolishLetters) {
  EXPECT_EQ(Replaced(true, L"łódź i ŁÓDŹ", L"Łódź", L"miasto"), L"miasto i miasto");
  EXPECT_EQ(Replaced(true, L"Kot kOT", L"kot", L"Pies"), L"Pies Pies") << "replacement as given";
  EXPECT_EQ(Replaced(false, L"Kot kot", L"kot", L"pies"), L"Kot pies");
}

TEST(ReplaceAll, LongTextsWithSelfOverlappingPatterns) {
  // Worst case for a naive search: every position almost matches (the dictionary's form).
  const std::wstring text(200000, L'a');
  const std::wstring find = std::wstring(1000, L'A') + L'b';
  EXPECT_EQ(Replaced(true, text, find, L"x"), text);
  EXPECT_EQ(Replaced(true, text + L'B', find, L"x"), std::wstring(199000, L'a') + L'x');
}

}  // namespace
}  // namespace mowik
