#include "tools/utf8_text.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

size_t BadOffset(std::string_view bytes) {
  size_t offset = 12345;
  EXPECT_FALSE(DecodeUtf8(bytes, &offset).has_value()) << bytes;
  return offset;
}

TEST(Utf8Text, DecodesPolishAndBeyondTheBasicPlane) {
  EXPECT_EQ(DecodeUtf8("zażółć gęślą"), std::wstring(L"zażółć gęślą"));
  EXPECT_EQ(DecodeUtf8(""), std::wstring());
  const std::wstring emoji = *DecodeUtf8("\xF0\x9F\x98\x80");
  EXPECT_EQ(emoji.size(), sizeof(wchar_t) == 2 ? 2u : 1u);
  EXPECT_EQ(EncodeUtf8(emoji), "\xF0\x9F\x98\x80");
  EXPECT_EQ(EncodeUtf8(L"gęś\t\r\n"), "g\xC4\x99\xC5\x9B\t\r\n");
}

TEST(Utf8Text, RefusesMalformedInputAtItsOffset) {
  EXPECT_EQ(BadOffset("ab\x80"), 2u);               // stray continuation
  EXPECT_EQ(BadOffset("abc\xC5"), 3u);              // truncated at the end
  EXPECT_EQ(BadOffset("a\xC5z"), 1u);               // continuation missing
  EXPECT_EQ(BadOffset("\xC0\xAF"), 0u);             // overlong
  EXPECT_EQ(BadOffset("x\xE0\x80\xAF"), 1u);        // overlong, three bytes
  EXPECT_EQ(BadOffset("xy\xED\xA0\x80"), 2u);       // a surrogate
  EXPECT_EQ(BadOffset("\xF4\x90\x80\x80"), 0u);     // above U+10FFFF
  EXPECT_EQ(BadOffset("\xFF"), 0u);
}

TEST(Utf8Text, LoneSurrogateFromWindowsTextFailsTheDecode) {
  if (sizeof(wchar_t) != 2) GTEST_SKIP() << "only UTF-16 text holds lone surrogates";
  const std::wstring lone(1, static_cast<wchar_t>(0xD800));
  EXPECT_EQ(BadOffset(EncodeUtf8(L"ab" + lone)), 2u);
}

}  // namespace
}  // namespace mowik
