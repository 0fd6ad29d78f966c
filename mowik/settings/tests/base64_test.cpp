#include "mowik/settings/base64.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

std::vector<uint8_t> Bytes(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 37 + 11);
  return b;
}

std::vector<uint8_t> Ascii(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(Base64, KnownGroupsAndFill) {
  EXPECT_EQ(EncodeBase64({}), L"");
  EXPECT_EQ(EncodeBase64(Ascii("M")), L"TQ==");
  EXPECT_EQ(EncodeBase64(Ascii("Ma")), L"TWE=");
  EXPECT_EQ(EncodeBase64(Ascii("Man")), L"TWFu");
  EXPECT_EQ(EncodeBase64(std::vector<uint8_t>{0xFB, 0xFF, 0xBF}), L"+/+/");
  EXPECT_EQ(DecodeBase64(L"TQ=="), Ascii("M"));
  EXPECT_EQ(DecodeBase64(L"TWE="), Ascii("Ma"));
  EXPECT_EQ(DecodeBase64(L"+/+/"), (std::vector<uint8_t>{0xFB, 0xFF, 0xBF}));
}

TEST(Base64, LineBreaksAfterEvery76Characters) {
  const std::wstring one = EncodeBase64(Bytes(57));
  EXPECT_EQ(one.size(), 76u);
  EXPECT_EQ(one.find(L'\r'), std::wstring::npos);

  const std::wstring two = EncodeBase64(Bytes(58));
  ASSERT_EQ(two.size(), 76u + 2 + 4);
  EXPECT_EQ(two.substr(76, 2), L"\r\n");
  EXPECT_EQ(two.substr(80), L"==");
  EXPECT_EQ(two.substr(0, 76), one);

  const std::wstring exact = EncodeBase64(Bytes(114));  // two full lines: no break at the end
  EXPECT_EQ(exact.size(), 76u * 2 + 2);
  EXPECT_EQ(exact.substr(76, 2), L"\r\n");
  EXPECT_NE(exact.back(), L'\n');
}

TEST(Base64, RoundTripOfEveryLength) {
  for (size_t n = 0; n < 300; ++n) EXPECT_EQ(DecodeBase64(EncodeBase64(Bytes(n))), Bytes(n)) << n;
}

TEST(Base64, BreaksAndFillAreIgnoredWhenDecoding) {
  const std::vector<uint8_t> data = Bytes(200);
  const std::wstring text = EncodeBase64(data);
  std::wstring bare;
  for (const wchar_t c : text)
    if (c != L'\r' && c != L'\n' && c != L'=') bare.push_back(c);
  EXPECT_EQ(DecodeBase64(bare), data);
  EXPECT_EQ(DecodeBase64(L"TW\r\nFu=\r\n=="), Ascii("Man"));
}

TEST(Base64, OddTextDecodesWithoutFailing) {
  EXPECT_EQ(DecodeBase64(L""), std::vector<uint8_t>{});
  EXPECT_EQ(DecodeBase64(L"T"), std::vector<uint8_t>{}) << "a last group of one character gives nothing";
  EXPECT_EQ(DecodeBase64(L"TWFuT"), Ascii("Man"));
  // Characters outside the alphabet count as 0, and a lone LF is such a character.
  EXPECT_EQ(DecodeBase64(L"AA*A"), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(DecodeBase64(L"ż\nżż"), (std::vector<uint8_t>{0, 0, 0}));
}

}  // namespace
}  // namespace mowik
