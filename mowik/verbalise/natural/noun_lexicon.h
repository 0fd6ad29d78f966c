#pragma once
// Polish nouns in all their forms, for agreeing numbers with the noun after them: a table of
// the nouns that follow numbers most (time, people, places, things, the units and the
// currencies), and ending rules for the words it lacks.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik {

struct Noun {
  std::wstring lemma;
  Gender gender = Gender::MascInanimate;
  std::array<std::wstring, kCaseCount> singular, plural;
  const std::wstring& Form(bool isPlural, Case c) const {
    return (isPlural ? plural : singular)[static_cast<size_t>(c)];
  }
};

// One way of reading a word as a noun. noun is set for a reading of the hand table, listed
// for one of the hand table or of the lexicon generated from hunspell-pl; neither for a
// reading guessed from the ending.
struct NounReading {
  const Noun* noun = nullptr;
  bool listed = false;
  Gender gender = Gender::MascInanimate;
  bool plural = false;
  Case grammaticalCase = Case::Nom;
};

// Every reading of word (any letter case) that the hand table holds; when it holds none,
// those of the generated lexicon (compact_lexicon.h); when neither knows the word, the
// readings that its ending allows, with a guessed gender; nothing for a word that does not
// look like a noun form (no letters). The hand table wins over the generated lexicon.
std::vector<NounReading> NounReadings(std::wstring_view word);

// The table's noun of that lemma, or null.
const Noun* NounByLemma(std::wstring_view lemma);

// How a noun stands after a count: the number and case of its form. Exactly one: singular
// in the count's case; 2-4 in the nominative or accusative: the plural nominative
// (masculine personal nouns: the genitive); other counts in the nominative or accusative:
// the genitive plural; in the other cases the plural of that case.
struct FormChoice {
  bool plural = false;
  Case grammaticalCase = Case::Nom;
};
FormChoice FormAfterCount(uint64_t count, Case countCase, Gender gender);

}  // namespace mowik
