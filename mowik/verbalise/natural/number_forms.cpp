#include "mowik/verbalise/natural/number_forms.h"

#include <array>

#include "mowik/verbalise/number_word_rows.h"

namespace mowik {
namespace {

std::wstring_view Trimmed(std::wstring_view word) {
  while (!word.empty() && word.back() == L' ') word.remove_suffix(1);
  return word;
}

// The genitive (also dative and locative) of the teens, tens and hundreds; the instrumental
// replaces its final «u» by «oma», but for the hundreds from 500 on, which keep the genitive.
constexpr std::array<std::wstring_view, 10> kTeenGenitives = {
    L"dziesięciu", L"jedenastu", L"dwunastu", L"trzynastu", L"czternastu",
    L"piętnastu", L"szesnastu", L"siedemnastu", L"osiemnastu", L"dziewiętnastu"};
constexpr std::array<std::wstring_view, 10> kTenGenitives = {
    L"", L"dziesięciu", L"dwudziestu", L"trzydziestu", L"czterdziestu", L"pięćdziesięciu",
    L"sześćdziesięciu", L"siedemdziesięciu", L"osiemdziesięciu", L"dziewięćdziesięciu"};
constexpr std::array<std::wstring_view, 10> kHundredGenitives = {
    L"", L"stu", L"dwustu", L"trzystu", L"czterystu", L"pięciuset",
    L"sześciuset", L"siedmiuset", L"ośmiuset", L"dziewięciuset"};

// 2 to 9 beyond the nominative: genitive (= locative), dative, instrumental; the feminine
// nominative and instrumental differ for 2 only.
struct SmallForms {
  std::wstring_view gen, dat, ins;
};
constexpr std::array<SmallForms, 10> kSmall = {{
    {L"zera", L"zeru", L"zerem"}, {L"", L"", L""},
    {L"dwóch", L"dwóm", L"dwoma"}, {L"trzech", L"trzem", L"trzema"},
    {L"czterech", L"czterem", L"czterema"}, {L"pięciu", L"pięciu", L"pięcioma"},
    {L"sześciu", L"sześciu", L"sześcioma"}, {L"siedmiu", L"siedmiu", L"siedmioma"},
    {L"ośmiu", L"ośmiu", L"ośmioma"}, {L"dziewięciu", L"dziewięciu", L"dziewięcioma"},
}};

// «jeden» as an adjective, by case: masculine (inanimate accusative), feminine, neuter.
constexpr std::array<std::wstring_view, kCaseCount> kOneMasc = {L"jeden", L"jednego", L"jednemu", L"jeden", L"jednym", L"jednym"};
constexpr std::array<std::wstring_view, kCaseCount> kOneFem = {L"jedna", L"jednej", L"jednej", L"jedną", L"jedną", L"jednej"};
constexpr std::array<std::wstring_view, kCaseCount> kOneNeut = {L"jedno", L"jednego", L"jednemu", L"jedno", L"jednym", L"jednym"};

struct GroupNoun {
  std::array<std::wstring_view, kCaseCount> singular, plural;
};
constexpr GroupNoun kGroupNouns[] = {
    {{L"tysiąc", L"tysiąca", L"tysiącowi", L"tysiąc", L"tysiącem", L"tysiącu"},
     {L"tysiące", L"tysięcy", L"tysiącom", L"tysiące", L"tysiącami", L"tysiącach"}},
    {{L"milion", L"miliona", L"milionowi", L"milion", L"milionem", L"milionie"},
     {L"miliony", L"milionów", L"milionom", L"miliony", L"milionami", L"milionach"}},
    {{L"miliard", L"miliarda", L"miliardowi", L"miliard", L"miliardem", L"miliardzie"},
     {L"miliardy", L"miliardów", L"miliardom", L"miliardy", L"miliardami", L"miliardach"}},
};

void Append(std::wstring& words, std::wstring_view word) {
  if (word.empty()) return;
  if (!words.empty()) words += L' ';
  words += word;
}

std::wstring Instrumental(std::wstring_view genitive) {
  if (genitive.ends_with(L"set")) return std::wstring(genitive);
  return std::wstring(genitive.substr(0, genitive.size() - 1)) + L"oma";
}

// How the components of a number are declined: nominative, or the oblique forms.
bool Oblique(Case c, Gender g) {
  if (c == Case::Nom || c == Case::Acc) return g == Gender::MascPersonal;
  return true;
}
Case ObliqueCase(Case c) { return c == Case::Nom || c == Case::Acc ? Case::Gen : c; }

std::wstring_view OneForm(Case c, Gender g) {
  switch (g) {
    case Gender::Feminine: return kOneFem[static_cast<size_t>(c)];
    case Gender::Neuter: return kOneNeut[static_cast<size_t>(c)];
    case Gender::MascInanimate: return kOneMasc[static_cast<size_t>(c)];
    default: return c == Case::Acc ? L"jednego" : kOneMasc[static_cast<size_t>(c)];
  }
}

// One group of three digits (1..999). alone: the whole number is this 1.
void AppendGroup(std::wstring& words, int group, Case c, Gender g, bool alone) {
  const int h = group / 100, rest = group % 100, t = rest / 10, u = rest % 10;
  const bool oblique = Oblique(c, g);
  const Case oc = ObliqueCase(c);
  const auto declined = [&](std::wstring_view nominative, std::wstring_view genitive) {
    if (!oblique) return std::wstring(Trimmed(nominative));
    return oc == Case::Ins ? Instrumental(genitive) : std::wstring(genitive);
  };
  if (h > 0) Append(words, declined(kHundredWords[h], kHundredGenitives[h]));
  if (t == 1) {
    Append(words, declined(kTeenWords[u], kTeenGenitives[u]));
    return;
  }
  if (t > 1) Append(words, declined(kTenWords[t], kTenGenitives[t]));
  if (u == 1) {
    Append(words, alone ? OneForm(c, g) : L"jeden");
  } else if (u > 1) {
    const SmallForms& f = kSmall[static_cast<size_t>(u)];
    const bool feminine = g == Gender::Feminine && u == 2;
    if (!oblique) {
      Append(words, feminine ? L"dwie" : Trimmed(kUnitWords[u]));
    } else if (oc == Case::Ins) {
      Append(words, feminine ? L"dwiema" : f.ins);
    } else {
      Append(words, oc == Case::Dat ? f.dat : f.gen);
    }
  }
}

enum class StemKind { Hard, Velar, Soft };
struct OrdinalStem {
  std::wstring_view stem;
  StemKind kind = StemKind::Hard;
};

constexpr std::array<OrdinalStem, 20> kOrdinalBelowTwenty = {{
    {L"zerow"}, {L"pierwsz"}, {L"drug", StemKind::Velar}, {L"trzec", StemKind::Soft}, {L"czwart"},
    {L"piąt"}, {L"szóst"}, {L"siódm"}, {L"ósm"}, {L"dziewiąt"}, {L"dziesiąt"}, {L"jedenast"},
    {L"dwunast"}, {L"trzynast"}, {L"czternast"}, {L"piętnast"}, {L"szesnast"}, {L"siedemnast"},
    {L"osiemnast"}, {L"dziewiętnast"},
}};
constexpr std::array<std::wstring_view, 10> kOrdinalTens = {
    L"", L"dziesiąt", L"dwudziest", L"trzydziest", L"czterdziest", L"pięćdziesiąt",
    L"sześćdziesiąt", L"siedemdziesiąt", L"osiemdziesiąt", L"dziewięćdziesiąt"};
constexpr std::array<std::wstring_view, 10> kOrdinalHundreds = {
    L"", L"setn", L"dwusetn", L"trzechsetn", L"czterechsetn", L"pięćsetn",
    L"sześćsetn", L"siedemsetn", L"osiemsetn", L"dziewięćsetn"};
constexpr std::array<std::wstring_view, 10> kOrdinalThousands = {
    L"", L"tysięczn", L"dwutysięczn", L"trzytysięczn", L"czterotysięczn", L"pięciotysięczn",
    L"sześciotysięczn", L"siedmiotysięczn", L"ośmiotysięczn", L"dziewięciotysięczn"};

// Adjective endings of hard stems by form (masculine, feminine, neuter, plural) and case;
// velar and soft stems put an «i» before the endings that start with «y» or «e», soft stems
// before «a» and «ą» too.
constexpr std::array<std::array<std::wstring_view, kCaseCount>, 4> kHardEndings = {{
    {L"y", L"ego", L"emu", L"y", L"ym", L"ym"},
    {L"a", L"ej", L"ej", L"ą", L"ą", L"ej"},
    {L"e", L"ego", L"emu", L"e", L"ym", L"ym"},
    {L"e", L"ych", L"ym", L"e", L"ymi", L"ych"},
}};

std::wstring Declined(const OrdinalStem& stem, Case c, Gender g, bool plural) {
  const size_t form = plural ? 3 : g == Gender::Feminine ? 1 : g == Gender::Neuter ? 2 : 0;
  Case used = c;
  if (!plural && form == 0 && c == Case::Acc && g != Gender::MascInanimate) used = Case::Gen;
  std::wstring_view ending = kHardEndings[form][static_cast<size_t>(used)];
  std::wstring word(stem.stem);
  if (stem.kind == StemKind::Hard) return word + std::wstring(ending);
  if (ending.front() == L'y') return word + L"i" + std::wstring(ending.substr(1));
  if (ending.front() == L'e' || (stem.kind == StemKind::Soft && (ending.front() == L'a' || ending.front() == L'ą')))
    return word + L"i" + std::wstring(ending);
  return word + std::wstring(ending);
}

}  // namespace

CountClass CountClassOf(uint64_t value) {
  if (value == 1) return CountClass::One;
  const uint64_t last = value % 10, lastTwo = value % 100;
  if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return CountClass::Few;
  return CountClass::Many;
}

std::wstring CardinalWords(uint64_t value, Case c, Gender g) {
  if (value > kLargestCardinal) return std::wstring();
  if (value == 0) {
    if (!Oblique(c, g)) return L"zero";
    const SmallForms& f = kSmall[0];
    const Case oc = ObliqueCase(c);
    return std::wstring(oc == Case::Ins ? f.ins : oc == Case::Dat ? f.dat : f.gen);
  }
  std::wstring words;
  uint64_t scale = 1'000'000'000;
  for (int group = 2; group >= 0; --group, scale /= 1000) {
    const int count = static_cast<int>(value / scale % 1000);
    if (count == 0) continue;
    // The group's own count agrees with its noun (masculine inanimate); its noun with the count.
    if (count != 1) AppendGroup(words, count, c == Case::Acc ? Case::Nom : c, Gender::MascInanimate, false);
    const GroupNoun& noun = kGroupNouns[group];
    const CountClass cls = CountClassOf(static_cast<uint64_t>(count));
    const bool nominative = c == Case::Nom || c == Case::Acc;
    if (cls == CountClass::One) Append(words, noun.singular[static_cast<size_t>(c)]);
    else if (nominative) Append(words, noun.plural[static_cast<size_t>(cls == CountClass::Few ? Case::Nom : Case::Gen)]);
    else Append(words, noun.plural[static_cast<size_t>(c)]);
  }
  const int low = static_cast<int>(value % 1000);
  if (low != 0) AppendGroup(words, low, c, g, value == 1);
  return words;
}

std::wstring OrdinalWords(uint64_t value, Case c, Gender g, bool plural) {
  if (value > kLargestCardinal) return std::wstring();
  const uint64_t high = value / 1000;
  const int low = static_cast<int>(value % 1000);
  std::wstring words;
  if (low == 0 && value != 0) {
    if (value % 1'000'000 == 0) {
      if (value != 1'000'000) words = CardinalWords(value / 1'000'000) + L" ";
      return words + Declined({L"milionow"}, c, g, plural);
    }
    if (high < 10) return Declined({kOrdinalThousands[high]}, c, g, plural);
    return CardinalWords(high) + L" " + Declined({kOrdinalThousands[1]}, c, g, plural);
  }
  if (high > 0) words = CardinalWords(high * 1000);
  const int h = low / 100, rest = low % 100;
  if (rest == 0 && value != 0) {
    Append(words, Declined({kOrdinalHundreds[h]}, c, g, plural));
    return words;
  }
  if (h > 0) Append(words, Trimmed(kHundredWords[h]));
  if (rest < 20) {
    Append(words, Declined(kOrdinalBelowTwenty[rest], c, g, plural));
  } else {
    Append(words, Declined({kOrdinalTens[rest / 10]}, c, g, plural));
    if (rest % 10 != 0) Append(words, Declined(kOrdinalBelowTwenty[rest % 10], c, g, plural));
  }
  return words;
}

std::wstring CollectiveWords(uint64_t value) {
  static constexpr std::wstring_view kCollective[] = {
      L"dwoje", L"troje", L"czworo", L"pięcioro", L"sześcioro", L"siedmioro", L"ośmioro",
      L"dziewięcioro", L"dziesięcioro", L"jedenaścioro", L"dwanaścioro"};
  return value >= 2 && value <= 12 ? std::wstring(kCollective[value - 2]) : std::wstring();
}

std::wstring AdjectiveWord(std::wstring_view stem, Case c, Gender g, bool plural) {
  return Declined({stem}, c, g, plural);
}

std::wstring DigitWords(std::wstring_view digits) {
  std::wstring words;
  for (const wchar_t d : digits)
    if (d >= L'0' && d <= L'9') Append(words, Trimmed(kUnitWords[d - L'0']));
  return words;
}

std::wstring DigitGroupWords(std::wstring_view digits) {
  size_t zeros = 0;
  while (zeros < digits.size() && digits[zeros] == L'0') ++zeros;
  std::wstring words = DigitWords(digits.substr(0, zeros));
  uint64_t value = 0;
  if (zeros < digits.size()) {
    if (DigitValue(digits.substr(zeros), value)) Append(words, CardinalWords(value));
    else Append(words, DigitWords(digits.substr(zeros)));
  }
  return words;
}

bool DigitValue(std::wstring_view digits, uint64_t& value) {
  value = 0;
  if (digits.empty()) return false;
  for (const wchar_t d : digits) {
    if (d < L'0' || d > L'9') return false;
    value = value * 10 + static_cast<uint64_t>(d - L'0');
    if (value > kLargestCardinal) return false;
  }
  return true;
}

}  // namespace mowik
