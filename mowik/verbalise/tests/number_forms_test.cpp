#include "mowik/verbalise/natural/number_forms.h"

#include <gtest/gtest.h>

#include "mowik/verbalise/natural/acronyms.h"
#include "mowik/verbalise/natural/noun_lexicon.h"
#include "mowik/verbalise/natural/roman_numerals.h"

namespace mowik {
namespace {

TEST(NumberFormsTest, CardinalsAgreeInCaseAndGender) {
  EXPECT_EQ(CardinalWords(1, Case::Nom, Gender::Feminine), L"jedna");
  EXPECT_EQ(CardinalWords(1, Case::Acc, Gender::MascAnimate), L"jednego");
  EXPECT_EQ(CardinalWords(2, Case::Nom, Gender::Feminine), L"dwie");
  EXPECT_EQ(CardinalWords(2, Case::Ins, Gender::Feminine), L"dwiema");
  EXPECT_EQ(CardinalWords(2, Case::Nom, Gender::MascPersonal), L"dwóch");
  EXPECT_EQ(CardinalWords(4, Case::Ins), L"czterema");
  EXPECT_EQ(CardinalWords(7, Case::Gen), L"siedmiu");
  EXPECT_EQ(CardinalWords(8, Case::Loc), L"ośmiu");
  EXPECT_EQ(CardinalWords(0, Case::Gen), L"zera");
  EXPECT_EQ(CardinalWords(125, Case::Ins, Gender::Feminine), L"stoma dwudziestoma pięcioma");
  EXPECT_EQ(CardinalWords(500, Case::Ins), L"pięciuset") << "the hundreds from 500 keep the genitive";
  EXPECT_EQ(CardinalWords(22, Case::Nom, Gender::Feminine), L"dwadzieścia dwie");
  EXPECT_EQ(CardinalWords(21, Case::Gen, Gender::Feminine), L"dwudziestu jeden") << "a final one stays";
}

TEST(NumberFormsTest, GroupWordsCarryNoOneAndAgreeWithTheirCount) {
  EXPECT_EQ(CardinalWords(1000), L"tysiąc");
  EXPECT_EQ(CardinalWords(1'000'000), L"milion");
  EXPECT_EQ(CardinalWords(2000), L"dwa tysiące");
  EXPECT_EQ(CardinalWords(12'000), L"dwanaście tysięcy");
  EXPECT_EQ(CardinalWords(22'000), L"dwadzieścia dwa tysiące");
  EXPECT_EQ(CardinalWords(2000, Case::Ins), L"dwoma tysiącami");
  EXPECT_EQ(CardinalWords(1000, Case::Gen), L"tysiąca");
  EXPECT_EQ(CardinalWords(3'005'000), L"trzy miliony pięć tysięcy");
  EXPECT_EQ(CardinalWords(999'999'999'999).substr(0, 30), L"dziewięćset dziewięćdziesiąt d");
  EXPECT_EQ(CardinalWords(kLargestCardinal + 1), L"");
}

TEST(NumberFormsTest, OrdinalsDeclineOnlyTheirLastParts) {
  EXPECT_EQ(OrdinalWords(2021, Case::Gen, Gender::MascInanimate), L"dwa tysiące dwudziestego pierwszego");
  EXPECT_EQ(OrdinalWords(1995, Case::Loc, Gender::MascInanimate), L"tysiąc dziewięćset dziewięćdziesiątym piątym");
  EXPECT_EQ(OrdinalWords(2000, Case::Nom, Gender::MascInanimate), L"dwutysięczny");
  EXPECT_EQ(OrdinalWords(1900, Case::Gen, Gender::MascInanimate), L"tysiąc dziewięćsetnego");
  EXPECT_EQ(OrdinalWords(3, Case::Nom, Gender::Feminine), L"trzecia");
  EXPECT_EQ(OrdinalWords(3, Case::Ins, Gender::Feminine), L"trzecią");
  EXPECT_EQ(OrdinalWords(2, Case::Loc, Gender::Feminine), L"drugiej");
  EXPECT_EQ(OrdinalWords(4, Case::Nom, Gender::Feminine, true), L"czwarte");
  EXPECT_EQ(OrdinalWords(1, Case::Acc, Gender::MascPersonal), L"pierwszego");
}

TEST(NumberFormsTest, DigitGroupsReadTheirLeadingZeros) {
  EXPECT_EQ(DigitGroupWords(L"00"), L"zero zero");
  EXPECT_EQ(DigitGroupWords(L"067"), L"zero sześćdziesiąt siedem");
  EXPECT_EQ(DigitGroupWords(L"950"), L"dziewięćset pięćdziesiąt");
  EXPECT_EQ(DigitWords(L"1234567890123"), L"jeden dwa trzy cztery pięć sześć siedem osiem dziewięć zero jeden dwa trzy");
}

TEST(NounLexiconTest, FormsTellGenderNumberAndCase) {
  const std::vector<NounReading> siostrami = NounReadings(L"Siostrami");
  ASSERT_FALSE(siostrami.empty());
  EXPECT_EQ(siostrami[0].gender, Gender::Feminine);
  EXPECT_TRUE(siostrami[0].plural);
  EXPECT_EQ(siostrami[0].grammaticalCase, Case::Ins);
  const std::vector<NounReading> guessed = NounReadings(L"stolikach");
  ASSERT_FALSE(guessed.empty());
  EXPECT_EQ(guessed[0].grammaticalCase, Case::Loc) << "by its ending";
  EXPECT_TRUE(NounReadings(L"123").empty());
  EXPECT_EQ(FormAfterCount(2, Case::Nom, Gender::MascPersonal).grammaticalCase, Case::Gen);
  EXPECT_TRUE(FormAfterCount(12, Case::Nom, Gender::Feminine).plural);
  EXPECT_EQ(FormAfterCount(12, Case::Nom, Gender::Feminine).grammaticalCase, Case::Gen) << "12-14 are not few";
}

TEST(RomanAndAcronymsTest, OnlyWellWrittenNumeralsAndSayableAcronyms) {
  EXPECT_EQ(RomanValue(L"XIV"), 14);
  EXPECT_EQ(RomanValue(L"MCMXCV"), 1995);
  EXPECT_EQ(RomanValue(L"IIII"), 0);
  EXPECT_EQ(RomanValue(L"IC"), 0);
  EXPECT_EQ(RomanValue(L"PKP"), 0);
  EXPECT_EQ(AcronymWords(L"NATO"), L"nato");
  EXPECT_EQ(AcronymWords(L"PKP"), L"pe ka pe");
  EXPECT_EQ(AcronymWords(L"ONZ"), L"o en zet") << "a pair Polish words do not end in";
  EXPECT_EQ(AcronymWords(L"SMS", L"a"), L"es em esa");
  EXPECT_EQ(AcronymWords(L"TVP"), L"te fau pe");
}

}  // namespace
}  // namespace mowik
