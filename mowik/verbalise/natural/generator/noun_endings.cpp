#include "mowik/verbalise/natural/generator/noun_endings.h"

namespace mowik::lexicon {
namespace {

constexpr CaseSet S(Case c) { return Singular(c); }
constexpr CaseSet P(Case c) { return Plural(c); }
using enum Case;

struct EndingRow {
  Paradigm paradigm;
  std::wstring_view ending;  // empty: any consonant (the bare stem of a genitive plural)
  CaseSet cases;
};

// The first row of the paradigm whose ending the form has wins: longer endings first.
constexpr EndingRow kEndings[] = {
    {Paradigm::Masculine, L"owie", P(Nom)},
    {Paradigm::Masculine, L"ami", P(Ins)},
    {Paradigm::Masculine, L"mi", P(Ins)},
    {Paradigm::Masculine, L"ach", P(Loc)},
    {Paradigm::Masculine, L"om", P(Dat)},
    {Paradigm::Masculine, L"ów", P(Gen)},
    {Paradigm::Masculine, L"owi", S(Dat)},
    {Paradigm::Masculine, L"em", S(Ins)},
    {Paradigm::Masculine, L"u", S(Gen) | S(Loc)},
    {Paradigm::Masculine, L"a", S(Gen)},
    {Paradigm::Masculine, L"e", S(Loc) | P(Nom) | P(Acc)},
    {Paradigm::Masculine, L"i", P(Nom) | P(Acc) | P(Gen)},
    {Paradigm::Masculine, L"y", P(Nom) | P(Acc)},

    {Paradigm::MasculineInA, L"ami", P(Ins)},
    {Paradigm::MasculineInA, L"mi", P(Ins)},
    {Paradigm::MasculineInA, L"ach", P(Loc)},
    {Paradigm::MasculineInA, L"om", P(Dat)},
    {Paradigm::MasculineInA, L"ów", P(Gen) | P(Acc)},
    {Paradigm::MasculineInA, L"ą", S(Ins)},
    {Paradigm::MasculineInA, L"ę", S(Acc)},
    {Paradigm::MasculineInA, L"y", S(Gen) | S(Dat) | S(Loc) | P(Nom)},
    {Paradigm::MasculineInA, L"i", S(Gen) | S(Dat) | S(Loc) | P(Nom)},
    {Paradigm::MasculineInA, L"e", S(Dat) | S(Loc) | P(Nom)},

    {Paradigm::Feminine, L"ami", P(Ins)},
    {Paradigm::Feminine, L"mi", P(Ins)},
    {Paradigm::Feminine, L"ach", P(Loc)},
    {Paradigm::Feminine, L"om", P(Dat)},
    {Paradigm::Feminine, L"ą", S(Ins)},
    {Paradigm::Feminine, L"ę", S(Acc)},
    {Paradigm::Feminine, L"y", S(Gen) | S(Dat) | S(Loc) | P(Nom) | P(Acc)},
    {Paradigm::Feminine, L"i", S(Gen) | S(Dat) | S(Loc) | P(Nom) | P(Acc)},
    {Paradigm::Feminine, L"e", S(Dat) | S(Loc) | P(Nom) | P(Acc)},
    {Paradigm::Feminine, L"", P(Gen)},

    {Paradigm::FeminineConsonant, L"ami", P(Ins)},
    {Paradigm::FeminineConsonant, L"mi", P(Ins)},
    {Paradigm::FeminineConsonant, L"ach", P(Loc)},
    {Paradigm::FeminineConsonant, L"om", P(Dat)},
    {Paradigm::FeminineConsonant, L"ą", S(Ins)},
    {Paradigm::FeminineConsonant, L"y", S(Gen) | S(Dat) | S(Loc) | P(Nom) | P(Acc) | P(Gen)},
    {Paradigm::FeminineConsonant, L"i", S(Gen) | S(Dat) | S(Loc) | P(Nom) | P(Acc) | P(Gen)},
    {Paradigm::FeminineConsonant, L"e", P(Nom) | P(Acc)},

    {Paradigm::Neuter, L"ami", P(Ins)},
    {Paradigm::Neuter, L"mi", P(Ins)},
    {Paradigm::Neuter, L"ach", P(Loc)},
    {Paradigm::Neuter, L"om", P(Dat)},
    {Paradigm::Neuter, L"ów", P(Gen)},
    {Paradigm::Neuter, L"em", S(Ins)},
    {Paradigm::Neuter, L"u", S(Dat) | S(Loc)},
    {Paradigm::Neuter, L"a", S(Gen) | P(Nom) | P(Acc)},
    {Paradigm::Neuter, L"e", S(Loc)},
    {Paradigm::Neuter, L"y", P(Gen)},
    {Paradigm::Neuter, L"i", P(Gen)},
    {Paradigm::Neuter, L"", P(Gen)},
};

}  // namespace

bool IsVowel(wchar_t c) { return std::wstring_view(L"aąeęioóuy").find(c) != std::wstring_view::npos; }

CaseSet CasesOfEnding(Paradigm paradigm, std::wstring_view form) {
  if (form.empty()) return 0;
  for (const EndingRow& row : kEndings) {
    if (row.paradigm != paradigm) continue;
    if (row.ending.empty() ? !IsVowel(form.back()) : form.size() > row.ending.size() && form.ends_with(row.ending))
      return row.cases;
  }
  return 0;
}

CaseSet CasesOfLemma(Paradigm paradigm, Gender gender) {
  switch (paradigm) {
    case Paradigm::Masculine:
      return gender == Gender::MascInanimate ? S(Nom) | S(Acc) : S(Nom);
    case Paradigm::FeminineConsonant:
    case Paradigm::Neuter:
      return S(Nom) | S(Acc);
    default:
      return S(Nom);
  }
}

}  // namespace mowik::lexicon
