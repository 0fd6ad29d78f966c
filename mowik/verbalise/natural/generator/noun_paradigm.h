#pragma once
// Which words of a hunspell dictionary are nouns, their gender, and the number and case each
// of their forms can stand in. hunspell gives forms, not grammar; this reads it from the
// paradigm:
// - a word is a noun when its forms have the plural endings only nouns take: -ach and
//   -ami (or -mi); adjectives have -ych and -ymi, verbs neither;
// - the gender follows from the lemma's ending and the forms: -o, -e, -ę, -um neuter; -a
//   feminine, unless the stem takes -ów (kierowca, kierowców: masculine personal); -i feminine;
//   a consonant masculine, unless a form ends in -ą and none in -em or -owi (noc, kość:
//   feminine); a masculine noun is personal when a form ends in -owie or its plural softens
//   the last consonant as only persons do (student, studenci; Polak, Polacy; doktor,
//   doktorzy), and inanimate otherwise (an animate noun differs only in the accusative,
//   which a guess would get wrong as often as right);
// - the case and number of a form come from its ending, in a table by gender
//   (noun_endings.cpp); a form may stand in several;
// - hunspell-pl lists many forms as words of their own without flags (domu, domem); such a
//   word joins the noun whose lemma, or whose lemma's stem, it extends by an ending of the
//   table.
// Lemmas with a capital (names) and words the table cannot place are left out.

#include <cstdint>
#include <string>
#include <vector>

#include "mowik/verbalise/natural/generator/hunspell_source.h"
#include "mowik/verbalise/natural/compact_lexicon.h"
#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik::lexicon {

struct NounForm {
  std::wstring form;
  CaseSet cases = 0;
};

struct NounParadigm {
  std::wstring lemma;
  Gender gender = Gender::MascInanimate;
  std::vector<NounForm> forms;  // the lemma first
};

// The nouns of the dictionary, in its order.
std::vector<NounParadigm> NounParadigms(const HunspellSource& source);

}  // namespace mowik::lexicon
