#include "mowik/verbalise/collapse_spaces.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(CollapseSpaces, TabsAndRunsOfBlanks) {
  EXPECT_EQ(CollapseSpaces(L"  a\tb  "), L"a b");
  EXPECT_EQ(CollapseSpaces(L"a \t \t b"), L"a b");
  EXPECT_EQ(CollapseSpaces(L"a\r\n b\r\n"), L"a\r\n b\r\n") << "line breaks stay";
  EXPECT_EQ(CollapseSpaces(L""), L"");
  EXPECT_EQ(CollapseSpaces(L" \t "), L"");
  EXPECT_EQ(CollapseSpaces(L"\u00A0x"), L"\u00A0x") << "only tabs and blanks";
}

TEST(CollapseSpaces, LongerThanASixteenBitCounter) {
  std::wstring text;
  for (int i = 0; i < 40000; ++i) text += L"ab  ";
  const std::wstring collapsed = CollapseSpaces(text);
  EXPECT_EQ(collapsed.size(), 40000u * 3 - 1);
  EXPECT_EQ(collapsed.substr(collapsed.size() - 5), L"ab ab");
}

}  // namespace
}  // namespace mowik
