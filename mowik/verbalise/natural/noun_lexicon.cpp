#include "mowik/verbalise/natural/noun_lexicon.h"

#include <unordered_map>

#include "mowik/verbalise/natural/char_classes.h"
#include "mowik/verbalise/natural/compact_lexicon.h"
#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

struct NounRow {
  char gender;
  std::wstring_view stem, singular, plural;
};

constexpr NounRow kNounRows[] = {
#include "mowik/verbalise/natural/noun_table.inc"
};

Gender GenderOf(char code) {
  switch (code) {
    case 'p': return Gender::MascPersonal;
    case 'a': return Gender::MascAnimate;
    case 'f': return Gender::Feminine;
    case 'n': return Gender::Neuter;
    default: return Gender::MascInanimate;
  }
}

std::array<std::wstring, kCaseCount> Forms(std::wstring_view stem, std::wstring_view list) {
  std::array<std::wstring, kCaseCount> forms;
  size_t k = 0;
  while (!list.empty() && k < forms.size()) {
    const size_t blank = list.find(L' ');
    const std::wstring_view item = list.substr(0, blank);
    forms[k++] = item.starts_with(L'-') ? std::wstring(stem) + std::wstring(item.substr(1)) : std::wstring(item);
    list = blank == std::wstring_view::npos ? std::wstring_view() : list.substr(blank + 1);
  }
  return forms;
}

struct Lexicon {
  std::vector<Noun> nouns;
  std::unordered_map<std::wstring, std::vector<NounReading>> byForm;
  std::unordered_map<std::wstring, const Noun*> byLemma;

  Lexicon() {
    nouns.reserve(std::size(kNounRows));
    for (const NounRow& row : kNounRows) {
      Noun noun;
      noun.gender = GenderOf(row.gender);
      noun.singular = Forms(row.stem, row.singular);
      noun.plural = Forms(row.stem, row.plural);
      noun.lemma = noun.singular[0];
      nouns.push_back(std::move(noun));
    }
    for (const Noun& noun : nouns) {
      byLemma.emplace(noun.lemma, &noun);
      for (int plural = 0; plural < 2; ++plural)
        for (int c = 0; c < kCaseCount; ++c) {
          std::vector<NounReading>& readings = byForm[noun.Form(plural != 0, static_cast<Case>(c))];
          readings.push_back({&noun, true, noun.gender, plural != 0, static_cast<Case>(c)});
        }
    }
  }
};

const Lexicon& TheLexicon() {
  static const Lexicon lexicon;
  return lexicon;
}



// What an ending tells of a word the table lacks, most likely reading first.
std::vector<NounReading> ReadingsByEnding(const std::wstring& w) {
  const auto has = [&](std::wstring_view ending) { return w.size() > ending.size() + 1 && w.ends_with(ending); };
  const Gender m = Gender::MascInanimate, f = Gender::Feminine, n = Gender::Neuter;
  if (has(L"ami") || has(L"mi")) return {{nullptr, false, m, true, Case::Ins}};
  if (has(L"ach")) return {{nullptr, false, m, true, Case::Loc}};
  if (has(L"om")) return {{nullptr, false, m, true, Case::Dat}};
  if (has(L"ów")) return {{nullptr, false, m, true, Case::Gen}};
  if (has(L"owi")) return {{nullptr, false, m, false, Case::Dat}};
  if (has(L"ą")) return {{nullptr, false, f, false, Case::Ins}, {nullptr, false, f, false, Case::Acc}};
  if (has(L"ę")) return {{nullptr, false, f, false, Case::Acc}};
  if (has(L"em")) return {{nullptr, false, m, false, Case::Ins}};
  if (has(L"ie") || has(L"e"))
    return {{nullptr, false, m, true, Case::Nom}, {nullptr, false, m, true, Case::Acc}, {nullptr, false, n, false, Case::Nom}, {nullptr, false, m, false, Case::Loc}};
  if (has(L"y") || has(L"i"))
    return {{nullptr, false, m, true, Case::Nom}, {nullptr, false, m, true, Case::Acc}, {nullptr, false, m, true, Case::Gen},
            {nullptr, false, f, false, Case::Gen}, {nullptr, false, f, false, Case::Loc}, {nullptr, false, f, false, Case::Dat}};
  if (has(L"a")) return {{nullptr, false, f, false, Case::Nom}, {nullptr, false, n, true, Case::Nom}, {nullptr, false, m, false, Case::Gen}};
  if (has(L"o") || has(L"um")) return {{nullptr, false, n, false, Case::Nom}, {nullptr, false, n, false, Case::Acc}};
  if (has(L"u")) return {{nullptr, false, m, false, Case::Gen}, {nullptr, false, m, false, Case::Loc}};
  return {{nullptr, false, m, false, Case::Nom}, {nullptr, false, m, false, Case::Acc}, {nullptr, false, f, true, Case::Gen}};
}

// The generated lexicon's readings, singular before plural and the cases in their order.
std::vector<NounReading> ListedReadings(const std::vector<CompactLexicon::Analysis>& analyses) {
  std::vector<NounReading> readings;
  for (const CompactLexicon::Analysis& a : analyses)
    for (int bit = 0; bit < 2 * kCaseCount; ++bit)
      if (a.cases & (1u << bit))
        readings.push_back({nullptr, true, a.gender, bit >= kCaseCount, static_cast<Case>(bit % kCaseCount)});
  return readings;
}

}  // namespace

std::vector<NounReading> NounReadings(std::wstring_view word) {
  const std::wstring lower = LowerText(word);
  bool letters = !lower.empty();
  for (const wchar_t c : lower) letters = letters && IsLetterChar(c);
  if (!letters) return {};
  const Lexicon& lexicon = TheLexicon();
  const auto found = lexicon.byForm.find(lower);
  if (found != lexicon.byForm.end()) return found->second;
  std::vector<NounReading> listed = ListedReadings(BuiltInNounLexicon().Analyse(lower));
  if (!listed.empty()) return listed;
  return ReadingsByEnding(lower);
}

const Noun* NounByLemma(std::wstring_view lemma) {
  const Lexicon& lexicon = TheLexicon();
  const auto found = lexicon.byLemma.find(std::wstring(lemma));
  return found == lexicon.byLemma.end() ? nullptr : found->second;
}

FormChoice FormAfterCount(uint64_t count, Case countCase, Gender gender) {
  const CountClass cls = CountClassOf(count);
  if (cls == CountClass::One) return {false, countCase};
  if (countCase != Case::Nom && countCase != Case::Acc) return {true, countCase};
  if (cls == CountClass::Few && gender != Gender::MascPersonal) return {true, countCase};
  return {true, Case::Gen};
}

}  // namespace mowik
