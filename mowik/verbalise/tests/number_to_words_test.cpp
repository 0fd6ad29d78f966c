#include "mowik/verbalise/number_to_words.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(NumberToWords, UnitsTeensTensAndHundreds) {
  EXPECT_EQ(NumberToWords(L"0"), L"zero ");
  EXPECT_EQ(NumberToWords(L"7"), L"siedem ");
  EXPECT_EQ(NumberToWords(L"10"), L"dziesięć ");
  EXPECT_EQ(NumberToWords(L"11"), L"jedenaście ");
  EXPECT_EQ(NumberToWords(L"19"), L"dziewiętnaście ");
  EXPECT_EQ(NumberToWords(L"20"), L"dwadzieścia ");
  EXPECT_EQ(NumberToWords(L"123"), L"sto dwadzieścia trzy ");
  EXPECT_EQ(NumberToWords(L"215"), L"dwieście piętnaście ");
  EXPECT_EQ(NumberToWords(L"900"), L"dziewięćset ");
}

TEST(NumberToWords, ZerosLeadingAndWhole) {
  EXPECT_EQ(NumberToWords(L"00"), L"zero ");
  EXPECT_EQ(NumberToWords(L"000"), L"zero ");
  EXPECT_EQ(NumberToWords(L"0000"), L"zero zero ") << "zero is read once per group";
  EXPECT_EQ(NumberToWords(L"0000000"), L"zero zero zero ");
  EXPECT_EQ(NumberToWords(L"007"), L"siedem ");
  EXPECT_EQ(NumberToWords(L"0010"), L"dziesięć ");
}

TEST(NumberToWords, OnlyTheIntegerPartIsRead) {
  EXPECT_EQ(NumberToWords(L"12,50"), L"dwanaście ");
  EXPECT_EQ(NumberToWords(L"12,"), L"dwanaście ");
  EXPECT_EQ(NumberToWords(L",5"), L"");
  EXPECT_EQ(NumberToWords(L""), L"");
}

TEST(NumberToWords, ThousandsAgreeWithTheirWholeGroup) {
  EXPECT_EQ(NumberToWords(L"1000"), L"jeden tysiąc ");
  EXPECT_EQ(NumberToWords(L"2000"), L"dwa tysiące ");
  EXPECT_EQ(NumberToWords(L"5007"), L"pięć tysięcy siedem ");
  EXPECT_EQ(NumberToWords(L"11000"), L"jedenaście tysięcy ");
  EXPECT_EQ(NumberToWords(L"10000"), L"dziesięć tysięcy ");
  EXPECT_EQ(NumberToWords(L"20000"), L"dwadzieścia tysięcy ");
  EXPECT_EQ(NumberToWords(L"100000"), L"sto tysięcy ");
  EXPECT_EQ(NumberToWords(L"12000"), L"dwanaście tysięcy ");
  EXPECT_EQ(NumberToWords(L"14000"), L"czternaście tysięcy ");
  EXPECT_EQ(NumberToWords(L"22000"), L"dwadzieścia dwa tysiące ");
  EXPECT_EQ(NumberToWords(L"21000"), L"dwadzieścia jeden tysięcy ");
  EXPECT_EQ(NumberToWords(L"112000"), L"sto dwanaście tysięcy ");
  EXPECT_EQ(NumberToWords(L"01000"), L"jeden tysiąc ");
}

TEST(NumberToWords, MillionsAndThousandMillions) {
  EXPECT_EQ(NumberToWords(L"1005000"), L"jeden milion pięć tysięcy ");
  EXPECT_EQ(NumberToWords(L"1001000"), L"jeden milion jeden tysiąc ");
  EXPECT_EQ(NumberToWords(L"1000001"), L"jeden milion jeden ");
  EXPECT_EQ(NumberToWords(L"3000000"), L"trzy miliony ");
  EXPECT_EQ(NumberToWords(L"13000000"), L"trzynaście milionów ");
  EXPECT_EQ(NumberToWords(L"999999999"),
            L"dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
            L"tysięcy dziewięćset dziewięćdziesiąt dziewięć ");
  EXPECT_EQ(NumberToWords(L"1000000000"), L"jeden miliard ");
  EXPECT_EQ(NumberToWords(L"4000000017"), L"cztery miliardy siedemnaście ");
  EXPECT_EQ(NumberToWords(L"512000002000"), L"pięćset dwanaście miliardów dwa tysiące ");
}

TEST(NumberToWords, ThirteenDigitsAndMoreDigitByDigit) {
  EXPECT_EQ(NumberToWords(L"1234567890123"),
            L"jeden dwa trzy cztery pięć sześć siedem osiem dziewięć zero jeden dwa trzy ");
  std::wstring zeros;
  for (int i = 0; i < 13; ++i) zeros += L"zero ";
  EXPECT_EQ(NumberToWords(std::wstring(13, L'0')), zeros);
  const std::wstring long_run(100000, L'9');
  const std::wstring words = NumberToWords(long_run);
  EXPECT_EQ(words.size(), 100000u * 9) << "every digit is read";
}

TEST(NumberToWords, NonDigitsCountAsZero) {
  EXPECT_EQ(NumberToWords(L"1x"), L"dziesięć ");
  EXPECT_EQ(NumberToWords(L"x"), L"zero ");
}

}  // namespace
}  // namespace mowik
