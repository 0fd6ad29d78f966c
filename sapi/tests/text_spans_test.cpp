// Sentences and words of SAPI text fragments, with offsets into the caller's text.
#include "sapi/text_spans.h"

#include <gtest/gtest.h>

#include <string>

namespace mowik {
namespace {

std::vector<std::wstring> Texts(std::wstring_view text, const std::vector<TextSpan>& spans) {
  std::vector<std::wstring> out;
  for (const TextSpan& span : spans) out.emplace_back(text.substr(span.start, span.length));
  return out;
}

TEST(SplitSentencesTest, CutsAfterClosingMarksFollowedByBlanks) {
  const std::wstring text = L"  Ala ma kota. Kot ma Al\u0119!Czy tak?  Tak;  nie\u2026 ";
  EXPECT_EQ(Texts(text, SplitSentences(text)),
            (std::vector<std::wstring>{L"Ala ma kota.", L"Kot ma Al\u0119!Czy tak?", L"Tak;", L"nie\u2026"}));
  EXPECT_EQ(SplitSentences(text)[0], (TextSpan{2, 12}));
}

TEST(SplitSentencesTest, DatesNumbersAndAddressesStayWhole) {
  const std::wstring text = L"Spotkanie 12.05.2024 o 12:30, koszt 3.5 z\u0142. Strona www.mowik.pl jest... nowa?! \"Tak.\" Dalej";
  EXPECT_EQ(Texts(text, SplitSentences(text)),
            (std::vector<std::wstring>{L"Spotkanie 12.05.2024 o 12:30, koszt 3.5 z\u0142.",
                                       L"Strona www.mowik.pl jest...", L"nowa?!", L"\"Tak.\"", L"Dalej"}));
}

TEST(SplitSentencesTest, AnEmptyLineEndsASentenceWithoutAMark) {
  const std::wstring text = L"Tytu\u0142\r\n\r\nTre\u015B\u0107 w dw\u00F3ch\nwierszach\n";
  EXPECT_EQ(Texts(text, SplitSentences(text)),
            (std::vector<std::wstring>{L"Tytu\u0142", L"Tre\u015B\u0107 w dw\u00F3ch\nwierszach"}));
}

TEST(SplitSentencesTest, BlanksOnlyOrNothingGiveNoSentence) {
  EXPECT_TRUE(SplitSentences(L"").empty());
  EXPECT_TRUE(SplitSentences(L" \t\r\n\u00A0 ").empty());
  EXPECT_EQ(Texts(L"...", SplitSentences(L"...")), (std::vector<std::wstring>{L"..."}));
}

TEST(SplitWordsTest, WordsBetweenAnyBlanks) {
  const std::wstring text = L" Ala\u00A0ma\t\tkota,\r\n12-05-2024 ";
  const std::vector<TextSpan> words = SplitWords(text);
  EXPECT_EQ(Texts(text, words), (std::vector<std::wstring>{L"Ala", L"ma", L"kota,", L"12-05-2024"}));
  EXPECT_EQ(words[1], (TextSpan{5, 2}));
  EXPECT_TRUE(SplitWords(L"   ").empty());
}

}  // namespace
}  // namespace mowik
