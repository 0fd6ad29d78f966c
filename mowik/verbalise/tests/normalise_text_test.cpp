#include "mowik/verbalise/normalise_text.h"

#include <gtest/gtest.h>

#include <string>

#include "mowik/program/table_model.h"

namespace mowik {
namespace {

class NormaliseTextTest : public ::testing::Test {
 protected:
  NormaliseTextTest() {
    dictionary_.AddColumn(L"Zamień z");
    dictionary_.AddColumn(L"Zamień na");
    options_.dictionary = &dictionary_;
  }

  std::wstring Normalised(std::wstring text) {
    NormaliseText(text, options_);
    return text;
  }

  void AddRow(const std::wstring& find, const std::wstring& replace) {
    const int32_t row = dictionary_.AddRow();
    dictionary_.SetCellText(row, 1, find);
    dictionary_.SetCellText(row, 2, replace);
  }

  TableModel dictionary_;
  NormaliseOptions options_;
};

TEST_F(NormaliseTextTest, CapitalWordsAreSpelledWhenOn) {
  EXPECT_EQ(Normalised(L"W szczebrzeszynie chrząszcz brzmi w trzcinie."),
            L"wu szczebrzeszynie chrząszcz brzmi w trzcinie.");
  EXPECT_EQ(Normalised(L"Jadę PKP do USA!"), L"jadę pe ka pe do u es a !");
  EXPECT_EQ(Normalised(L"ŁÓDŹ"), L"łóde ź.") << "only the ASCII capital between Polish letters";
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"PKP 12"), L"pkp 12.");
}

TEST_F(NormaliseTextTest, EachMatchIsReplacedWhereItWasFound) {
  EXPECT_EQ(Normalised(L"Warszawa W"), L"warszawa wu.");
  EXPECT_EQ(Normalised(L"O 11:30 i 1:30 A potem"), L"o jedenasta trzydzieści i jeden do trzydzieści a potem.");
  EXPECT_EQ(Normalised(L"I tak. I nie"), L"i tak. i nie.");
}

TEST_F(NormaliseTextTest, DatesUnderRegionalSettings) {
  EXPECT_EQ(Normalised(L"dnia 12-05-2024 r."), L"dnia dwunasty maj dwa tysiące dwadzieścia cztery r.");
  EXPECT_EQ(Normalised(L"01/01/30"), L"pierwszy styczeń jeden tysiąc dziewięćset trzydzieści.");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"dnia 12-05-2024 r."), L"dnia dwunasty maj 2024 r.") << "the year stays in digits";
  EXPECT_EQ(Normalised(L"31-02-2024"), L"31, kreska, 02, kreska, 2024.") << "no such day: a range";
  EXPECT_EQ(Normalised(L"1|2|2024"), L"122024.") << "not a date; the bars go at the end";
}

TEST_F(NormaliseTextTest, RatiosAndClockTimes) {
  EXPECT_EQ(Normalised(L"1:5"), L"jeden do pięć.");
  EXPECT_EQ(Normalised(L"01:30"), L"pierwsza trzydzieści.");
  EXPECT_EQ(Normalised(L"o 12:30:15"), L"o dwunasta trzydzieści , i piętnaście sekund.");
  EXPECT_EQ(Normalised(L"o 00:00:00"), L"o dwunasta zero.");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"25:70"), L"25:70.") << "no such time";
}

TEST_F(NormaliseTextTest, CurrencyAmounts) {
  EXPECT_EQ(Normalised(L" 12,50 eur"), L"dwanaście , i pięćdziesiąt euro.");
  EXPECT_EQ(Normalised(L" 12.5 eur"), L"dwanaście , i pięć euro.");
  EXPECT_EQ(Normalised(L"cena 12,05 usd i 007pln"),
            L"cena dwanaście , i pięć dolarów amerykańskich i siedem polskich złotych.");
  // Spelled first, the code is gone, and the digits are read as two numbers.
  EXPECT_EQ(Normalised(L" 12,50 EUR"), L"dwanaście ,pięćdziesiąt e u er.");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L" 12,50 EUR"), L"dwanaście , i pięćdziesiąt euro.");
  EXPECT_EQ(Normalised(L"Za 1000000000 Eur."), L"za jeden miliard euro.");
}

TEST_F(NormaliseTextTest, AThreeLetterWordThatIsNoCodeStays) {
  EXPECT_EQ(Normalised(L"mam 15 lat"), L"mam piętnaście lat.");
  EXPECT_EQ(Normalised(L"za 10 dni i 5 min"), L"za dziesięć dni i pięć min.");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"mam 15 lat"), L"mam 15 lat.");
}

TEST_F(NormaliseTextTest, Ranges) {
  EXPECT_EQ(Normalised(L"10-20"), L"dziesięć , kreska, dwadzieścia.");
  EXPECT_EQ(Normalised(L"COVID-19"), L"ce o fał i de -dziewiętnaście.");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"10-20"), L"10, kreska, 20.");
  EXPECT_EQ(Normalised(L"biało-czerwony"), L"biało-czerwony.");
}

TEST_F(NormaliseTextTest, LowercaseBlanksAndClosingMark) {
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"  ZAŻÓŁĆ\t GĘŚLĄ  JAŹŃ  "), L"zażółć gęślą jaźń.");
  EXPECT_EQ(Normalised(L"ИВАН i ΩMEGA"), L"иван i ωmega.") << "every letter, not only Latin ones";
  EXPECT_EQ(Normalised(L"czy tak?"), L"czy tak?");
  EXPECT_EQ(Normalised(L"tak;"), L"tak;");
  EXPECT_EQ(Normalised(L""), L"");
  EXPECT_EQ(Normalised(L" \t "), L"");
  EXPECT_EQ(Normalised(L"a\r\nb"), L"a.b.") << "line breaks become marks after the clean-up";
  EXPECT_EQ(Normalised(L"a \r\n b"), L"a . b.");
}

TEST_F(NormaliseTextTest, DictionaryRowsInOrderIgnoringCase) {
  AddRow(L"Kot", L"KOCUR");
  AddRow(L"kocur", L"pies");
  AddRow(L"", L"nic");
  AddRow(L"łÓDŹ", L"Miasto Łódź");
  EXPECT_EQ(Normalised(L"kot i łódź"), L"pies i miasto łódź.");
  dictionary_.Clear();
  AddRow(L"kot", L"KOT");
  EXPECT_EQ(Normalised(L"Kot"), L"kot.") << "the replacement is lowercased, not dropped";
  dictionary_.Clear();
  AddRow(L"a.", L"b");
  EXPECT_EQ(Normalised(L"a"), L"b") << "the dictionary may remove the closing mark";
}

TEST_F(NormaliseTextTest, SymbolsAddressesAndAbbreviations) {
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"www.onet.pl"), L".wu wu wu, onet,pe el .");
  EXPECT_EQ(Normalised(L"jan@wp.pl"), L"janmałpa, wp,pe el .");
  EXPECT_EQ(Normalised(L"http://x.com/a"), L"chatetepe x,kom  łamane na a.");
  EXPECT_EQ(Normalised(L"np. to a np. tamto"), L"np. to a na przykład  tamto.");
  EXPECT_EQ(Normalised(L"kierownik d/s sprzedaży"), L"kierownik do spraw sprzedaży.");
  EXPECT_EQ(Normalised(L"a / b"), L"a przez b.");
  EXPECT_EQ(Normalised(L"ABC sp. z o.o. [x]"), L"abc spółka  zoo (x).");
  EXPECT_EQ(Normalised(L"\"a\" & b_c"), L"a  end  b (podkreślenie dolne) c.");
  EXPECT_EQ(Normalised(L"2+2=4 50%"), L"2 plus 2 równa się 4 50 procent .");
}

TEST_F(NormaliseTextTest, TheWholeSentence) {
  EXPECT_EQ(Normalised(L"Spotkanie 12-05-2024 o 12:30, koszt 15,50 EUR. PKP!"),
            L"spotkanie dwunasty maj dwa tysiące dwadzieścia cztery o dwunasta trzydzieści , koszt "
            L"piętnaście ,pięćdziesiąt e u er . pe ka pe !");
  options_.spellCapital = false;
  EXPECT_EQ(Normalised(L"Spotkanie 12-05-2024 o 12:30, koszt 15,50 EUR. PKP!"),
            L"spotkanie dwunasty maj 2024 o dwunasta trzydzieści , koszt piętnaście , i pięćdziesiąt "
            L"euro. pkp!");
}

// With spelling on and no dictionary, no ASCII digit or capital survives.
void ExpectSpoken(const std::wstring& text) {
  for (const wchar_t c : text) {
    ASSERT_FALSE(c >= L'0' && c <= L'9') << "a digit is left";
    ASSERT_FALSE(c >= L'A' && c <= L'Z') << "a capital is left";
  }
}

TEST_F(NormaliseTextTest, LongAndStrangeTexts) {
  std::wstring digits(100000, L'5');
  const std::wstring read = Normalised(digits);
  EXPECT_EQ(read.size(), 100000u * 5) << "every digit, as «pięć»";
  ExpectSpoken(read);

  std::wstring dates;
  for (int i = 0; i < 50000; ++i) dates += L"01-02-2003 ";
  const std::wstring dates_read = Normalised(dates);
  EXPECT_EQ(dates_read.substr(0, 37), L"pierwszy luty dwa tysiące trzy pierws");
  ExpectSpoken(dates_read);

  std::wstring every;
  for (uint32_t c = 0; c <= (sizeof(wchar_t) == 2 ? 0xFFFFu : 0x10FFFFu); ++c) every.push_back(static_cast<wchar_t>(c));
  ExpectSpoken(Normalised(every));

  EXPECT_EQ(Normalised(std::wstring(L"a\0b 1\0", 6)), std::wstring(L"a\0b jeden \0.", 12));

  std::wstring prose;
  while (prose.size() < 1000000)
    prose += L"Dnia 12-05-2024 o 12:30 PKP S.A. sprzedało 1500 biletów po 15,50 PLN (www.pkp.pl, 1:100). ";
  ExpectSpoken(Normalised(prose));
}

}  // namespace
}  // namespace mowik
