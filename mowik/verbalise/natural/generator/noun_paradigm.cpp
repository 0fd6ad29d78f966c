#include "mowik/verbalise/natural/generator/noun_paradigm.h"

#include <algorithm>
#include <unordered_map>

#include "mowik/verbalise/natural/generator/noun_endings.h"

namespace mowik::lexicon {
namespace {

bool AnyEndsWith(const std::vector<std::wstring>& forms, std::wstring_view ending) {
  return std::any_of(forms.begin() + 1, forms.end(), [&](const std::wstring& f) { return f.ends_with(ending); });
}

bool IsNoun(const std::vector<std::wstring>& forms) {
  return AnyEndsWith(forms, L"ach") && (AnyEndsWith(forms, L"ami") || AnyEndsWith(forms, L"mi"));
}

// The plural that only persons take: the last consonant softened before -i or -y.
bool SoftensAsPersons(const std::wstring& lemma, const std::vector<std::wstring>& forms) {
  struct Softening {
    std::wstring_view from, to;
  };
  static constexpr Softening kSoftenings[] = {
      {L"t", L"ci"}, {L"d", L"dzi"}, {L"k", L"cy"}, {L"g", L"dzy"}, {L"r", L"rzy"}, {L"ch", L"si"}, {L"ł", L"li"},
  };
  for (const Softening& s : kSoftenings) {
    if (!lemma.ends_with(s.from)) continue;
    const std::wstring plural = lemma.substr(0, lemma.size() - s.from.size()) + std::wstring(s.to);
    if (std::find(forms.begin() + 1, forms.end(), plural) != forms.end()) return true;
  }
  return false;
}

bool ClassOf(const std::wstring& lemma, const std::vector<std::wstring>& forms, Paradigm& paradigm, Gender& gender) {
  const wchar_t last = lemma.back();
  if (last == L'a') {
    // kierowca, kierowców; not krowa, krów
    const std::wstring plural = lemma.substr(0, lemma.size() - 1) + L"ów";
    const bool masculine = std::find(forms.begin() + 1, forms.end(), plural) != forms.end();
    paradigm = masculine ? Paradigm::MasculineInA : Paradigm::Feminine;
    gender = masculine ? Gender::MascPersonal : Gender::Feminine;
  } else if (last == L'i') {
    paradigm = Paradigm::Feminine;
    gender = Gender::Feminine;
  } else if (last == L'o' || last == L'e' || last == L'ę' || lemma.ends_with(L"um")) {
    paradigm = Paradigm::Neuter;
    gender = Gender::Neuter;
  } else if (IsVowel(last)) {
    return false;  // -y, -u, -ó: plurals and loans the table does not read
  } else if (AnyEndsWith(forms, L"ą") && !AnyEndsWith(forms, L"em") && !AnyEndsWith(forms, L"owi")) {
    paradigm = Paradigm::FeminineConsonant;
    gender = Gender::Feminine;
  } else {
    paradigm = Paradigm::Masculine;
    gender = AnyEndsWith(forms, L"owie") || SoftensAsPersons(lemma, forms) ? Gender::MascPersonal : Gender::MascInanimate;
  }
  return true;
}

bool HasCapital(const std::wstring& word) {
  return std::any_of(word.begin(), word.end(), [](wchar_t c) {
    return (c >= L'A' && c <= L'Z') || std::wstring_view(L"ĄĆĘŁŃÓŚŹŻ").find(c) != std::wstring_view::npos;
  });
}

void AddForm(NounParadigm& noun, const std::wstring& form, CaseSet cases) {
  if (cases == 0) return;
  for (NounForm& known : noun.forms)
    if (known.form == form) {
      known.cases |= cases;
      return;
    }
  noun.forms.push_back({form, cases});
}

}  // namespace

std::vector<NounParadigm> NounParadigms(const HunspellSource& source) {
  std::vector<NounParadigm> nouns;
  std::vector<Paradigm> paradigms;
  for (const DictionaryWord& word : source.words) {
    if (word.flags.empty() || HasCapital(word.word)) continue;
    const std::vector<std::wstring> forms = Forms(source, word);
    if (!IsNoun(forms)) continue;
    NounParadigm noun;
    Paradigm paradigm;
    if (!ClassOf(word.word, forms, paradigm, noun.gender)) continue;
    noun.lemma = word.word;
    AddForm(noun, word.word, CasesOfLemma(paradigm, noun.gender));
    for (size_t k = 1; k < forms.size(); ++k) AddForm(noun, forms[k], CasesOfEnding(paradigm, forms[k]));
    nouns.push_back(std::move(noun));
    paradigms.push_back(paradigm);
  }
  // The words listed without flags: forms of a noun above when they extend its lemma (dom,
  // domu) or its lemma's stem (kobieta, kobietą) by an ending of its paradigm.
  std::unordered_map<std::wstring, size_t> byLemma;
  for (size_t k = 0; k < nouns.size(); ++k) byLemma.emplace(nouns[k].lemma, k);
  for (const DictionaryWord& word : source.words) {
    if (!word.flags.empty() || HasCapital(word.word) || byLemma.contains(word.word)) continue;
    const std::wstring& w = word.word;
    for (size_t cut = 1; cut <= 4 && cut < w.size(); ++cut) {
      const std::wstring stem = w.substr(0, w.size() - cut);
      bool joined = false;
      for (const wchar_t* vowel : {L"", L"a", L"o", L"e"}) {
        const auto found = byLemma.find(stem + vowel);
        if (found == byLemma.end()) continue;
        const Paradigm paradigm = paradigms[found->second];
        const std::wstring_view ending = std::wstring_view(w).substr(stem.size());
        // Only a written ending: a bare stem is a genitive plural of its own lemma's stem.
        if (!IsVowel(ending.front()) && ending != L"mi" && ending != L"ch") continue;
        const CaseSet cases = CasesOfEnding(paradigm, w);
        if (cases == 0) continue;
        AddForm(nouns[found->second], w, cases);
        joined = true;
        break;
      }
      if (joined) break;
    }
  }
  return nouns;
}

}  // namespace mowik::lexicon
