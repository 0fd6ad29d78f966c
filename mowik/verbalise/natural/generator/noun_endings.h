#pragma once
// The case and number a noun's ending shows, by the kind of paradigm.

#include <string_view>

#include "mowik/verbalise/natural/generator/noun_paradigm.h"

namespace mowik::lexicon {

enum class Paradigm : uint8_t {
  Masculine,          // dom, student
  MasculineInA,       // kierowca
  Feminine,           // kobieta, pani
  FeminineConsonant,  // noc, kość
  Neuter,             // okno, pole, imię
};

// What a form other than the lemma may be, from its ending; 0 when no ending of the table
// fits (a vocative, a form the table does not read).
CaseSet CasesOfEnding(Paradigm paradigm, std::wstring_view form);

// What the lemma itself stands in.
CaseSet CasesOfLemma(Paradigm paradigm, Gender gender);

bool IsVowel(wchar_t c);

}  // namespace mowik::lexicon
