#include "mowik/verbalise/text_patterns.h"

#include <gtest/gtest.h>

#include <string>

namespace mowik {
namespace {

using Texts = std::vector<std::wstring>;

template <typename Finder>
Texts Matched(std::wstring_view text, Finder find) {
  Texts texts;
  for (const PatternMatch& m : find(text)) texts.emplace_back(text.substr(m.start, m.length));
  return texts;
}

TEST(FindCapitalWords, WholeWordsOfAsciiCapitals) {
  EXPECT_EQ(Matched(L"W szczebrzeszynie PKP, USA.", FindCapitalWords), (Texts{L"W", L"PKP", L"USA"}));
  EXPECT_EQ(Matched(L"Warszawa W", FindCapitalWords), (Texts{L"W"}));
  EXPECT_EQ(Matched(L"PKPx ABC1 _AB AB_ aAB", FindCapitalWords), Texts{}) << "word characters touch";
  EXPECT_EQ(Matched(L"ŁÓDŹ", FindCapitalWords), (Texts{L"D"})) << "Polish letters are no word characters";
  EXPECT_EQ(Matched(L"COVID-19 (NATO)", FindCapitalWords), (Texts{L"COVID", L"NATO"}));
  EXPECT_EQ(Matched(L"A", FindCapitalWords), (Texts{L"A"}));
}

TEST(FindDateCandidates, ThreeGroupsOfUpToFourDigits) {
  EXPECT_EQ(Matched(L"dnia 12-05-2024 r.", FindDateCandidates), (Texts{L"12-05-2024"}));
  EXPECT_EQ(Matched(L"1/2|3 i 2024-5-1", FindDateCandidates), (Texts{L"1/2|3", L"2024-5-1"}));
  EXPECT_EQ(Matched(L"12-05-20245", FindDateCandidates), (Texts{L"12-05-2024"})) << "no boundary after";
  EXPECT_EQ(Matched(L"123456-1-2", FindDateCandidates), (Texts{L"3456-1-2"})) << "nor before";
  EXPECT_EQ(Matched(L"1-2-3-4-5-6", FindDateCandidates), (Texts{L"1-2-3", L"4-5-6"}));
  EXPECT_EQ(Matched(L"1-12345-1 1--2-3 1-2-", FindDateCandidates), Texts{});
}

TEST(FindRatios, OneColonDigitsAfterABoundary) {
  EXPECT_EQ(Matched(L"skala 1:50 i 1:5", FindRatios), (Texts{L"1:50", L"1:5"}));
  EXPECT_EQ(Matched(L"11:30 01:30 a1:30 1: 1:x", FindRatios), Texts{});
  EXPECT_EQ(Matched(L"ł1:30 1:30abc", FindRatios), (Texts{L"1:30", L"1:30"}));
}

TEST(FindTimeCandidates, TwoDigitsColonTwoDigitsPerhapsSeconds) {
  EXPECT_EQ(Matched(L"o 12:30, 12:30:15 i 25:70", FindTimeCandidates), (Texts{L"12:30", L"12:30:15", L"25:70"}));
  EXPECT_EQ(Matched(L"123:45 1:30 12:3 a12:30", FindTimeCandidates), Texts{});
  EXPECT_EQ(Matched(L"12:345 12:30:1", FindTimeCandidates), (Texts{L"12:34", L"12:30"}));
}

TEST(FindAmounts, NumberAndThreeLetterCode) {
  EXPECT_EQ(Matched(L"za 12,50 eur i 12.5EUR oraz 100 PLN.", FindAmounts),
            (Texts{L" 12,50 eur", L" 12.5EUR", L" 100 PLN"}));
  EXPECT_EQ(Matched(L"mam 15 lat, 5 lat, 15 latek, 15  lat", FindAmounts), (Texts{L" 15 lat"}));
  EXPECT_EQ(Matched(L"15 eur", FindAmounts), Texts{}) << "white space must come first";
  EXPECT_EQ(Matched(L"\t12\u00A015 eur", FindAmounts), (Texts{L"\u00A015 eur"}));
  EXPECT_EQ(Matched(L" 1.5 eur 1,5eur", FindAmounts), (Texts{L" 1.5 eur", L" 1,5eur"}));
  EXPECT_EQ(Matched(L" 15. eur 15.x eur 1.2.3 eur 15,5 eurx", FindAmounts), Texts{});
  EXPECT_EQ(Matched(L" 15 złotych 15 eu", FindAmounts), Texts{});
}

TEST(FindRanges, OnlyRunsWithAHyphen) {
  EXPECT_EQ(Matched(L"10-20 i 5- oraz 1-2-3, 7, -4, a--b, 3--4", FindRanges),
            (Texts{L"10-20", L"5-", L"1-2-3", L"3-"}));
}

TEST(FindDigitRuns, EveryRun) {
  EXPECT_EQ(Matched(L"a12b3 45", FindDigitRuns), (Texts{L"12", L"3", L"45"}));
  EXPECT_EQ(Matched(L"\uFF11\u0661", FindDigitRuns), Texts{}) << "only ASCII digits";
}

TEST(TextPatterns, LongRunsInOneScan) {
  const std::wstring digits(100000, L'7');
  EXPECT_EQ(FindDigitRuns(digits), (std::vector<PatternMatch>{{0, 100000}}));
  EXPECT_EQ(FindRatios(L"1:" + digits), (std::vector<PatternMatch>{{0, 100002}}));
  EXPECT_EQ(FindAmounts(L" " + digits + L" eur"), (std::vector<PatternMatch>{{0, 100005}}));
  EXPECT_TRUE(FindDateCandidates(digits).empty());
  EXPECT_TRUE(FindTimeCandidates(digits).empty());
  EXPECT_TRUE(FindCapitalWords(std::wstring(100000, L'A') + L'a').empty());
  std::wstring hyphens;
  for (int i = 0; i < 50000; ++i) hyphens += L"1-";
  EXPECT_EQ(FindRanges(hyphens), (std::vector<PatternMatch>{{0, 100000}}));
}

TEST(TextPatterns, CharacterClasses) {
  for (const wchar_t c : std::wstring(L"\t\n\v\f\r \u00A0\u1680\u2000\u200A\u2028\u2029\u202F\u205F\u3000\uFEFF"))
    EXPECT_TRUE(IsWhiteSpace(c)) << static_cast<int>(c);
  for (const wchar_t c : std::wstring(L"a_\u200B\u0085"))
    EXPECT_FALSE(IsWhiteSpace(c)) << static_cast<int>(c);
  EXPECT_TRUE(IsWordChar(L'_'));
  EXPECT_FALSE(IsWordChar(L'ą'));
  EXPECT_FALSE(IsWordChar(L'\0'));
}

}  // namespace
}  // namespace mowik
