#include "mowik/verbalise/polish_case.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(PolishCase, PolishCapitalsLower) {
  EXPECT_EQ(LowerText(L"ĄĆĘŁŃÓŚŹŻ"), L"ąćęłńóśźż");
  EXPECT_EQ(LowerText(L"ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), L"zażółć gęślą jaźń");
  EXPECT_EQ(LowerText(L"ąćęłńóśźż abc 123 .,"), L"ąćęłńóśźż abc 123 .,");
}

TEST(PolishCase, LatinOneAndExtendedAPairs) {
  EXPECT_EQ(LowerText(L"ÀÖØÞ×"), L"àöøþ×");
  EXPECT_EQ(LowerText(L"ĀĲĹŇŊŸŽ"), L"āĳĺňŋÿž");
  EXPECT_EQ(LowerText(L"İıĸŉſ"), L"iıĸŉſ");
}

// The normalisation lowercases every letter, not only Latin ones: a Greek or Cyrillic
// capital left as it is would reach the transcription as a capital.
TEST(PolishCase, EveryScriptWithCapitals) {
  EXPECT_EQ(LowerText(L"ΣΩΆΫ ЖЁЯЀ ԱՖ ǄǅǇ Ǝ Ẁẞ Ａ \u2126 \u212A Ⅻ Ⓐ"), L"σωάϋ жёяѐ աֆ ǆǆǉ ǝ ẁß ａ ω k ⅻ ⓐ");
  EXPECT_EQ(LowerText(L"σжǆ中ŉ\u00AA"), L"σжǆ中ŉ\u00AA") << "small letters and letters without case stay";
  EXPECT_EQ(LowerChar(static_cast<wchar_t>(0xD801)), static_cast<wchar_t>(0xD801)) << "half a surrogate pair stays";
  EXPECT_TRUE(ContainsIgnoringCase(L"дом", L'Д'));
}

TEST(PolishCase, ContainsIgnoringCase) {
  EXPECT_TRUE(ContainsIgnoringCase(L"aeiouyęą", L'Ę'));
  EXPECT_TRUE(ContainsIgnoringCase(L"aeiouyęą", L'Y'));
  EXPECT_TRUE(ContainsIgnoringCase(L"AB", L'b'));
  EXPECT_FALSE(ContainsIgnoringCase(L"aeiouyęą", L'e' + 0x100));
  EXPECT_FALSE(ContainsIgnoringCase(L"", L'a'));
}

}  // namespace
}  // namespace mowik
