// Natural reading as a whole: what the corpus of sentences does not show.
#include "mowik/verbalise/natural/natural_normalise.h"

#include <gtest/gtest.h>

#include <string>

#include "mowik/program/table_model.h"

namespace mowik {
namespace {

class NaturalNormaliseTest : public ::testing::Test {
 protected:
  NaturalNormaliseTest() {
    dictionary_.AddColumn(L"Zamień z");
    dictionary_.AddColumn(L"Zamień na");
    options_.dictionary = &dictionary_;
    options_.natural = true;
  }
  std::wstring Read(std::wstring text) {
    NormaliseText(text, options_);
    return text;
  }
  TableModel dictionary_;
  NormaliseOptions options_;
};

TEST_F(NaturalNormaliseTest, TheDesignsReadingStaysTheDefault) {
  NormaliseOptions design;
  std::wstring text = L"1 kobieta";
  NormaliseText(text, design);
  EXPECT_EQ(text, L"jeden kobieta.");
  EXPECT_EQ(Read(L"1 kobieta"), L"jedna kobieta.");
}

TEST_F(NaturalNormaliseTest, TheUsersRowsWinOverBuiltInReadings) {
  const int32_t row = dictionary_.AddRow();
  dictionary_.SetCellText(row, 1, L"ul.");
  dictionary_.SetCellText(row, 2, L"Ulicy");
  EXPECT_EQ(Read(L"Przy UL. Polnej"), L"przy ulicy polnej.");
  dictionary_.SetCellText(row, 1, L"PKP");
  dictionary_.SetCellText(row, 2, L"kolej");
  EXPECT_EQ(Read(L"Jadę PKP"), L"jadę kolej.");
}

TEST_F(NaturalNormaliseTest, LinesCloseSentencesAndTheTextEndsWithAMark) {
  EXPECT_EQ(Read(L""), L"");
  EXPECT_EQ(Read(L"Ala ma kota\r\nOla psa"), L"ala ma kota. ola psa.");
  EXPECT_EQ(Read(L"Czy 2 psy?"), L"czy dwa psy?");
  EXPECT_EQ(Read(L"  \t  "), L"");
}

TEST_F(NaturalNormaliseTest, SentenceDotsOfAbbreviationsStay) {
  EXPECT_EQ(Read(L"Psy, koty itd. Potem"), L"psy, koty i tak dalej. potem.");
  EXPECT_EQ(Read(L"Prof. Nowak"), L"profesor nowak.") << "a title before a name closes nothing";
  EXPECT_EQ(Read(L"W 1995 r. Polska"), L"w tysiąc dziewięćset dziewięćdziesiątym piątym roku polska.");
}

TEST_F(NaturalNormaliseTest, NoDigitOrCapitalIsLeftWhateverTheInput) {
  const std::wstring hostile[] = {std::wstring(100000, L'7'), L"-----5", L"((((((1))))))", L"1:2:3:4:5",
                                  L"12-12-12-12", L"31.02.2024", L"+48", L"§§§", L"1,2,3,4", L"..7..",
                                  L"5 r. r. r.", L"XIX XIX XIX w. w. w.", L"$$$5", L"1/0", L"0/0"};
  for (const std::wstring& text : hostile) {
    const std::wstring reading = Read(text);
    EXPECT_LE(reading.size(), 20 * text.size() + 16);
    for (const wchar_t c : reading) {
      EXPECT_FALSE((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) << reading.substr(0, 80);
      if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) break;
    }
  }
}

TEST_F(NaturalNormaliseTest, LongHostileTextsEndWithinAFewTimesTheirLength) {
  std::wstring abbreviations, numbers, opened;
  while (abbreviations.size() < 1'000'000) abbreviations += L"itd. np. ul. r. §";
  for (int i = 0; i < 50'000; ++i) numbers += L"1 ";
  opened.assign(100'000, L'(');
  opened += L"www.x.pl";
  for (const std::wstring* text : {&abbreviations, &numbers, &opened}) {
    const std::wstring reading = Read(*text);
    EXPECT_FALSE(reading.empty());
    EXPECT_LE(reading.size(), 8 * text->size());
  }
}

TEST_F(NaturalNormaliseTest, InvalidDatesAndTimesAreReadAsNumbers) {
  EXPECT_EQ(Read(L"31.02.2024"), L"trzydzieści jeden przecinek zero dwa. dwa tysiące dwadzieścia cztery.");
  EXPECT_EQ(Read(L"25:70"), L"dwadzieścia pięć do siedemdziesięciu.");
}

TEST_F(NaturalNormaliseTest, AJoinedNumbersCaseEndsWithTheJoinAndSpansNeedAMonth) {
  // The case of «między» reaches the number after «a», and no further: not past a mark, not
  // to a number after another word.
  EXPECT_EQ(Read(L"Między 5 a 6. A 7 osób."), L"między pięcioma a sześcioma. a siedem osób.");
  EXPECT_EQ(Read(L"Między 5 domami stoi 6 drzew."), L"między pięcioma domami stoi sześć drzew.");
  // Without a month after them, numbers joined by «i» or «do» are counts, not days.
  EXPECT_EQ(Read(L"Od 1 do 3 osób."), L"od jednego do trzech osób.");
  EXPECT_EQ(Read(L"Mam 2 i 3."), L"mam dwa i trzy.");
  EXPECT_EQ(Read(L"Dni 40-45 maja."), L"dni czterdzieści do czterdziestu pięciu maja.");  // no such days
  // A range takes the noun into its genitive only when a noun follows it.
  EXPECT_EQ(Read(L"Wynik 2-3 padł."), L"wynik dwa do trzech padł.");
}

TEST_F(NaturalNormaliseTest, SpansOfDaysStopAtTheMonthsLastDayAndWeekdaysAtTheFirstOtherWord) {
  // Day 0 or 32 is no day: the numbers stay counts, whichever way they are joined.
  EXPECT_EQ(Read(L"Od 0 do 3 maja."), L"od zera do trzeciego maja.");
  EXPECT_EQ(Read(L"Od 1 do 32 maja."), L"od jednego do trzydziestu dwóch maja.");
  EXPECT_EQ(Read(L"31-32 maja."), L"trzydzieści jeden do trzydziestu dwóch maja.");
  // A weekday's case reaches only a weekday after «i»; another word ends it.
  EXPECT_EQ(Read(L"W sob. i jutro."), L"w sobotę i jutro.");
  EXPECT_EQ(Read(L"W sob. i niedz. i pon."), L"w sobotę i niedzielę i poniedziałek.");
}

TEST_F(NaturalNormaliseTest, ARangesMultiplierTakesItsCurrencyAndAYearAfterNaItsAccusative) {
  EXPECT_EQ(Read(L"Zarobił 2-3 tys. zł."), L"zarobił dwa do trzech tysięcy złotych.");
  EXPECT_EQ(Read(L"Zarobił 2-3 tys."), L"zarobił dwa do trzech tysięcy.");
  EXPECT_EQ(Read(L"Plan na 2025 rok."), L"plan na dwa tysiące dwudziesty piąty rok.");
  EXPECT_EQ(Read(L"Było to w 2025 r."), L"było to w dwa tysiące dwudziestym piątym roku.");  // «w» stays locative
}

}  // namespace
}  // namespace mowik
