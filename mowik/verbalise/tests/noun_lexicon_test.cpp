// The nouns natural reading knows: the hand table first, then the lexicon generated from
// hunspell-pl, then the ending rules.
#include <gtest/gtest.h>

#include <algorithm>

#include "mowik/verbalise/natural/compact_lexicon.h"
#include "mowik/verbalise/natural/noun_lexicon.h"

namespace mowik {
namespace {

bool Has(const std::vector<NounReading>& readings, Gender gender, bool plural, Case c) {
  return std::any_of(readings.begin(), readings.end(), [&](const NounReading& r) {
    return r.gender == gender && r.plural == plural && r.grammaticalCase == c;
  });
}

TEST(NounLexiconTest, TheGeneratedLexiconKnowsNounsTheHandTableLacks) {
  if (BuiltInNounLexicon().LemmaCount() == 0) GTEST_SKIP() << "built without hunspell-pl";
  EXPECT_GT(BuiltInNounLexicon().LemmaCount(), 50000u);
  const std::vector<NounReading> wiadomosci = NounReadings(L"Wiadomości");
  ASSERT_FALSE(wiadomosci.empty());
  EXPECT_TRUE(wiadomosci.front().listed);
  EXPECT_EQ(wiadomosci.front().noun, nullptr) << "not a hand table noun";
  EXPECT_TRUE(Has(wiadomosci, Gender::Feminine, true, Case::Nom));
  EXPECT_TRUE(Has(NounReadings(L"przyjaciółkami"), Gender::Feminine, true, Case::Ins));
  EXPECT_TRUE(Has(NounReadings(L"programistów"), Gender::MascPersonal, true, Case::Gen));
  EXPECT_TRUE(Has(NounReadings(L"krowy"), Gender::Feminine, true, Case::Nom));
}

TEST(NounLexiconTest, TheHandTableWinsWhereBothKnowAWord) {
  // hunspell-pl has «lata» of «lato» (summer); the hand table reads it as the plural of «rok».
  const std::vector<NounReading> lata = NounReadings(L"lata");
  ASSERT_FALSE(lata.empty());
  ASSERT_NE(lata.front().noun, nullptr);
  EXPECT_EQ(lata.front().noun->lemma, L"rok");
  EXPECT_TRUE(std::all_of(lata.begin(), lata.end(), [](const NounReading& r) { return r.noun && r.listed; }));
}

TEST(NounLexiconTest, WordsNeitherListKnowAreGuessedFromTheirEnding) {
  const std::vector<NounReading> guessed = NounReadings(L"zzyrkami");
  ASSERT_FALSE(guessed.empty());
  EXPECT_FALSE(guessed.front().listed);
  EXPECT_TRUE(guessed.front().plural);
  EXPECT_EQ(guessed.front().grammaticalCase, Case::Ins);
  EXPECT_TRUE(NounReadings(L"").empty());
  EXPECT_TRUE(BuiltInNounLexicon().Analyse(std::wstring(100000, L'a')).empty()) << "a long word is only looked up";
}

}  // namespace
}  // namespace mowik
