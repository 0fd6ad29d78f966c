#include <gtest/gtest.h>

#include "mowik/verbalise/currency_name.h"
#include "mowik/verbalise/date_to_words.h"
#include "mowik/verbalise/spell_capitals.h"

namespace mowik {
namespace {

TEST(CurrencyName, CodesInAnyCase) {
  EXPECT_EQ(CurrencyName(L"eur"), L"euro");
  EXPECT_EQ(CurrencyName(L"Eur"), L"euro");
  EXPECT_EQ(CurrencyName(L"EUR"), L"euro");
  EXPECT_EQ(CurrencyName(L"pln"), L"polskich złotych");
  EXPECT_EQ(CurrencyName(L"HDK"), L"dolatów hongkondzkich");
}

TEST(CurrencyName, UnknownCodesAreEmpty) {
  EXPECT_EQ(CurrencyName(L"HKD"), L"");
  EXPECT_EQ(CurrencyName(L"lat"), L"");
  EXPECT_EQ(CurrencyName(L"EURO"), L"");
  EXPECT_EQ(CurrencyName(L"\u0395UR"), L"") << "a Greek capital is no E";
}

TEST(DateToWords, OrdinalMonthAndYearDigits) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(DateToWords({2024, 5, 1}, polish), L"pierwszy maj 2024");
  EXPECT_EQ(DateToWords({1999, 12, 31}, polish), L"trzydziesty pierwszy grudzień 1999");
  EXPECT_EQ(DateToWords({2001, 10, 22}, polish), L"dwudziesty drugi październik 2001");
  EXPECT_EQ(DateToWords({987, 1, 8}, polish), L"ósmy styczeń 0987");
  const RegionalSettings english(DateOrder::MonthDayYear, {L"January", L"February", L"March", L"April", L"May",
                                                           L"June", L"July", L"August", L"September",
                                                           L"October", L"November", L"December"});
  EXPECT_EQ(DateToWords({2024, 3, 3}, english), L"trzeci March 2024") << "the month is the locale's";
}

TEST(TimeToWords, HourOrdinalMinutesAndSeconds) {
  EXPECT_EQ(TimeToWords({12, 30, 0}), L"dwunasta trzydzieści ");
  EXPECT_EQ(TimeToWords({0, 5, 0}), L"dwunasta pięć ");
  EXPECT_EQ(TimeToWords({12, 0, 0}), L"dwunasta zero ");
  EXPECT_EQ(TimeToWords({12, 30, 15}), L"dwunasta trzydzieści , i piętnaście  sekund");
  EXPECT_EQ(TimeToWords({23, 10, 0}), L"dwudziesta trzeca dziesięć ");
  EXPECT_EQ(TimeToWords({21, 59, 1}), L"dwudziesta pierwsza pięćdziesiąt dziewięć , i jeden  sekund");
}

TEST(SpellCapitals, LetterNamesAndOtherCharacters) {
  EXPECT_EQ(SpellCapitals(L"PKP"), L"pe ka pe ");
  EXPECT_EQ(SpellCapitals(L"USA"), L"u es a ");
  EXPECT_EQ(SpellCapitals(L"W"), L"wu ");
  EXPECT_EQ(SpellCapitals(L"XV"), L"iks fał ");
  EXPECT_EQ(SpellCapitals(L"QA"), L"q a ");
  EXPECT_EQ(SpellCapitals(L"ŁŹŻĄ"), L"eł ziet rzet ą ");
  EXPECT_EQ(SpellCapitals(L"b"), L"b ") << "a small letter has no name";
  EXPECT_EQ(SpellCapitals(L""), L"");
}

TEST(SplitChars, OneCharacterPerElement) {
  EXPECT_EQ(SplitChars(L"ŁdA"), (std::vector<std::wstring>{L"Ł", L"d", L"A"}));
  EXPECT_TRUE(SplitChars(L"").empty());
}

}  // namespace
}  // namespace mowik
