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
  EXPECT_EQ(LowerText(L"ΣЖ中"), L"ΣЖ中") << "other scripts stay as they are";
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
