#include <algorithm>

#include "mowik/verbalise/natural/acronyms.h"
#include "mowik/verbalise/natural/char_classes.h"
#include "mowik/verbalise/natural/number_forms.h"
#include "mowik/verbalise/natural/prepositions.h"
#include "mowik/verbalise/natural/reader.h"
#include "mowik/verbalise/natural/reading_tables.h"
#include "mowik/verbalise/natural/roman_numerals.h"
#include "mowik/verbalise/spell_capitals.h"

namespace mowik {
namespace {

constexpr std::wstring_view kClosingMarks = L".?!;:";

// Nouns that a Roman numeral after them counts («rozdział IV», «w klasie III»).
constexpr std::wstring_view kCountedByRoman[] = {
    L"wiek", L"wieku", L"rozdział", L"rozdziale", L"rozdziału", L"tom", L"tomie", L"tomu", L"klasa",
    L"klasie", L"klasy", L"klasę", L"część", L"części", L"punkt", L"punkcie", L"punktu", L"akt",
    L"etap", L"etapie", L"sezon", L"sezonie", L"kadencja", L"kadencji", L"liceum", L"zjazd", L"zjeździe"};
// Nouns that a Roman numeral before them counts («XIX wieku»).
constexpr std::wstring_view kRomanBefore[] = {
    L"wiek", L"wieku", L"wiekiem", L"wieków", L"stulecie", L"stulecia", L"stuleciu", L"tysiąclecie",
    L"tysiąclecia", L"kadencja", L"kadencji", L"liga", L"ligi", L"lidze", L"ligę", L"połowa", L"połowy",
    L"połowie", L"połowę", L"połową", L"wojna", L"wojny", L"wojnie", L"wojnę", L"wojną", L"kwartał",
    L"kwartale", L"kwartału", L"semestr", L"semestrze", L"semestru"};

bool InTable(const std::wstring_view* begin, const std::wstring_view* end, std::wstring_view word) {
  return std::find(begin, end, word) != end;
}

}  // namespace

size_t NaturalReader::DigitsEnd(size_t p) const {
  while (p < text_.size() && IsDigitChar(text_[p])) ++p;
  return p;
}

size_t NaturalReader::LettersEnd(size_t p) const {
  while (p < text_.size() && IsLetterChar(text_[p])) ++p;
  return p;
}

size_t NaturalReader::SkipBlank(size_t p) const {
  while (p < text_.size() && IsBlankChar(text_[p])) ++p;
  return p;
}

bool NaturalReader::ClosesSentenceAt(size_t p) const {
  while (p < text_.size() && (IsBlankChar(text_[p]) || IsLineEnd(text_[p]))) {
    if (IsLineEnd(text_[p])) return true;
    ++p;
  }
  return p >= text_.size() || IsCapitalChar(text_[p]);
}

bool NaturalReader::EndsLineAt(size_t p) const {
  p = SkipBlank(p);
  return p >= text_.size() || IsLineEnd(text_[p]);
}

void NaturalReader::Say(std::wstring_view words) {
  if (words.empty()) return;
  if (!out_.empty() && out_.back() != L' ' && out_.back() != L'(') out_ += L' ';
  out_ += words;
}

void NaturalReader::Mark(wchar_t mark) {
  while (!out_.empty() && out_.back() == L' ') out_.pop_back();
  out_ += mark;
  out_ += L' ';
}

void NaturalReader::SentenceEnd() {
  while (!out_.empty() && out_.back() == L' ') out_.pop_back();
  if (!out_.empty() && kClosingMarks.find(out_.back()) == std::wstring_view::npos) out_ += L'.';
  out_ += L' ';
}

std::vector<Case> NaturalReader::CasesHere() const {
  if (carriedCase_) return {*carriedCase_};
  if (joinedCase_) return {*joinedCase_};
  return CasesAfterPreposition(lastWord_);
}

std::wstring NaturalReader::NextWordAt(size_t p) const {
  p = SkipBlank(p);
  return std::wstring(Slice(p, LettersEnd(p)));
}

NaturalReader::Agreement NaturalReader::AgreeOrdinal(std::wstring_view noun, const std::vector<Case>& cases) const {
  const std::vector<NounReading> readings = NounReadings(noun);
  static const std::vector<Case> kAny = {Case::Nom, Case::Gen, Case::Loc, Case::Ins, Case::Acc, Case::Dat};
  for (const Case c : cases.empty() ? kAny : cases)
    for (const NounReading& r : readings)
      if (!r.plural && r.grammaticalCase == c) return {c, r.gender};
  Agreement a;
  if (!cases.empty()) a.grammaticalCase = cases.front();
  if (!readings.empty()) a.gender = readings.front().gender;
  return a;
}

std::wstring NaturalReader::Read() {
  out_.reserve(text_.size() + text_.size() / 2);
  while (pos_ < text_.size()) {
    const wchar_t c = text_[pos_];
    const size_t before = pos_;
    if (IsBlankChar(c)) {
      if (!out_.empty() && out_.back() != L' ') out_ += L' ';
      ++pos_;
      continue;
    }
    if (IsLineEnd(c)) {
      SentenceEnd();
      lastWord_.clear();
      ++pos_;
      continue;
    }
    if (ReadAddress()) continue;
    if (IsDigitChar(c)) {
      ReadNumber();
    } else if ((c == L'-' || c == 0x2212) && ReadSignedNumber()) {
    } else if ((c == L'+' || c == L'(') && ReadPhone()) {
    } else if (CurrencySignAt(text_.substr(pos_)) && ReadCurrencyFirst()) {
    } else if (IsLetterChar(c)) {
      ReadWord();
    } else {
      ReadSymbol();
    }
    if (pos_ == before) ++pos_;  // every rule moves on; this only guards the loop
  }
  return out_;
}

bool NaturalReader::ReadWord() {
  const std::wstring_view rest = text_.substr(pos_);
  if (const Abbreviation* a = AbbreviationAt(rest)) {
    pos_ += a->text.size();
    const std::vector<Case> cases = CasesHere();
    const Case c = cases.empty() ? Case::Nom : cases.front();
    switch (a->kind) {
      case Abbreviation::Kind::Words: {
        Say(a->reading);
        const size_t blank = a->reading.rfind(L' ');
        lastWord_ = blank == std::wstring_view::npos ? a->reading : a->reading.substr(blank + 1);
        break;
      }
      case Abbreviation::Kind::Noun: {
        const Noun* noun = NounByLemma(a->reading);
        if (!noun) break;
        if (IsWeekday(a->reading) && ReadWeekdays(*noun, c)) return true;
        // «z» with a place or a number is «from»: «z ul. Polnej», «z godz. 8».
        const bool from = (lastWord_ == L"z" || lastWord_ == L"ze") && noun->gender != Gender::MascPersonal;
        // «Al. Jerozolimskie»: a plural name makes the street plural; «w godz. 8-16» is a span
        // of hours, «w godzinach od ósmej do szesnastej».
        const std::wstring name = NextWordAt(pos_);
        bool plural = noun->gender != Gender::MascPersonal && !name.empty() && IsCapitalChar(name[0]) &&
                      name.ends_with(L"kie");
        if (a->reading == L"godzina") {
          size_t p = DigitsEnd(SkipBlank(pos_));
          if (At(p) == L':') p = DigitsEnd(p + 1);
          hourRange_ = (At(p) == L'-' || At(p) == 0x2013) && IsDigitChar(At(p + 1));
          plural = hourRange_;
          carriedCase_ = from ? Case::Gen : c;
        }
        Say(noun->Form(plural, from ? Case::Gen : c));
        if (a->reading == L"telefon") phoneNext_ = true;
        if (noun->gender != Gender::MascPersonal) lastWord_.clear();  // titles pass the case on
        break;
      }
      case Abbreviation::Kind::Adjective: {
        const std::wstring next = LowerText(NextWordAt(pos_));
        if (a->reading == L"święt") {
          Agreement g{c, Gender::MascPersonal};
          if (next.ends_with(L"y") || next.ends_with(L"i") || next.ends_with(L"ej")) g = {Case::Gen, Gender::Feminine};
          else if (IsFemaleName(next)) g = {Case::Nom, Gender::Feminine};
          else if (next.ends_with(L"a") || next.ends_with(L"ego")) g = {Case::Gen, Gender::MascPersonal};
          else if (next.ends_with(L"em")) g = {Case::Ins, Gender::MascPersonal};
          Say(AdjectiveWord(a->reading, g.grammaticalCase, g.gender, false));
        } else if (a->reading == L"habilitowan") {  // «dr hab. Anna Nowak»: a woman's title
          Say(AdjectiveWord(a->reading, c, IsFemaleName(next) ? Gender::Feminine : Gender::MascPersonal, false));
        } else {
          const std::vector<NounReading> readings = NounReadings(next);
          NounReading r;
          for (const NounReading& candidate : readings)
            if (cases.empty() || std::find(cases.begin(), cases.end(), candidate.grammaticalCase) != cases.end()) {
              r = candidate;
              break;
            }
          Say(AdjectiveWord(a->reading, r.grammaticalCase, r.gender, r.plural));
        }
        break;
      }
    }
    if (a->mayEndSentence && a->text.back() == L'.' && ClosesSentenceAt(pos_)) Mark(L'.');
    return true;
  }

  const size_t end = LettersEnd(pos_);
  const std::wstring_view word = Slice(pos_, end);
  const bool capitals = IsCapitalWord(word) || (word.size() == 1 && IsCapitalChar(word[0]));
  if (capitals) {
    if (const int roman = RomanValue(word); roman > 0) {
      const bool wiekDot = text_.substr(SkipBlank(end)).starts_with(L"w.") && !IsLetterChar(At(SkipBlank(end) + 2));
      const std::wstring next = wiekDot ? std::wstring() : LowerText(NextWordAt(end));
      const bool before = wiekDot || InTable(std::begin(kRomanBefore), std::end(kRomanBefore), next);
      const bool after = InTable(std::begin(kCountedByRoman), std::end(kCountedByRoman), lastWord_);
      if (before || after || lastWasName_) {
        Agreement g;
        if (wiekDot) {  // «w.»: the case of the preposition, else the nominative
          const std::vector<Case> cases = CasesHere();
          g = {cases.empty() ? Case::Nom : cases.front(), Gender::MascInanimate};
        } else if (before) {
          g = AgreeOrdinal(next, CasesHere());
        } else if (after) {
          g = AgreeOrdinal(lastWord_, {});
        } else {
          g = {Case::Nom, Gender::MascPersonal};
          if (IsFemaleName(lastWord_)) g.gender = Gender::Feminine;
          else if (lastWord_.ends_with(L"a")) g.grammaticalCase = Case::Gen;
          else if (lastWord_.ends_with(L"em")) g.grammaticalCase = Case::Ins;
          else if (lastWord_.ends_with(L"owi")) g.grammaticalCase = Case::Dat;
        }
        Say(OrdinalWords(static_cast<uint64_t>(roman), g.grammaticalCase, g.gender));
        pos_ = end;
        lastWord_.clear();
        lastWasName_ = false;
        if (wiekDot) {  // «XIX w.»
          const size_t w = SkipBlank(end);
          const Noun* wiek = NounByLemma(L"wiek");
          Say(wiek->Form(false, g.grammaticalCase));
          pos_ = w + 2;
          if (EndsLineAt(pos_)) Mark(L'.');
        }
        return true;
      }
    }
  }
  pos_ = end;
  lastWasName_ = false;
  if (capitals && word.size() == 1) {
    Say(IsOneLetterWord(word[0]) ? LowerText(word) : AcronymWords(word));
    lastWord_ = LowerText(word);
    return true;
  }
  if (capitals) {
    std::wstring_view ending;
    if (At(end) == L'-' && IsLetterChar(At(end + 1)) && !IsCapitalChar(At(end + 1))) {
      const size_t endingEnd = LettersEnd(end + 1);
      ending = Slice(end + 1, endingEnd);
      pos_ = endingEnd;
    }
    Say(AcronymWords(word, ending));
    lastWord_.clear();
    return true;
  }
  Say(word);
  lastWord_ = LowerText(word);
  lastWasName_ = IsCapitalChar(word[0]) && word.size() > 1;
  return true;
}

void NaturalReader::ReadSymbol() {
  const wchar_t c = text_[pos_++];
  const bool betweenDigits = pos_ >= 2 && IsDigitChar(At(pos_ - 2)) && IsDigitChar(At(pos_));
  const std::wstring word = std::move(lastWord_);
  lastWord_.clear();
  carriedCase_.reset();
  joinedCase_.reset();
  switch (c) {
    case L'.': case L',': case L'?': case L'!': case L';': case L':': Mark(c); return;
    case 0x2026: Mark(L'.'); return;
    case L'(': case L'[': case L'{': Say(L"("); return;
    case L')': case L']': case L'}': Mark(L')'); return;
    case L'+': Say(L"plus"); return;
    case L'=': Say(L"równa się"); return;
    case 0xD7: Say(L"razy"); return;
    case L'*': if (betweenDigits) Say(L"razy"); return;
    case 0xB0: Say(L"stopni"); return;
    case 0xA7: {  // «z § 5» is «z paragrafem piątym»
      const std::vector<Case> cases = CasesAfterPreposition(word);
      const Case pc = cases.empty() ? Case::Nom : cases.front();
      Say(NounByLemma(L"paragraf")->Form(false, pc));
      const size_t digits = SkipBlank(pos_);
      const size_t end = DigitsEnd(digits);
      uint64_t value = 0;
      if (end > digits && !IsDigitChar(At(end)) && At(end) != L',' && DigitValue(Slice(digits, end), value)) {
        Say(OrdinalWords(value, pc, Gender::MascInanimate));
        pos_ = end;
      }
      return;
    }
    case L'&': Say(L"i"); return;
    case L'@': Say(L"małpa"); return;
    case L'%': Say(L"procent"); return;
    case 0x2030: Say(L"promil"); return;
    case L'~': Say(L"około"); lastWord_ = L"około"; return;
    case L'<': Say(L"mniej niż"); return;
    case L'>': Say(L"więcej niż"); return;
    case L'/': if (betweenDigits) Say(L"łamane przez"); return;  // «12/4»: a house and a flat
    case L'-': case 0x2013: case 0x2014:
      if (IsLetterChar(At(pos_)) && pos_ >= 2 && IsLetterChar(At(pos_ - 2))) return;  // «biało-czerwony»
      Mark(L',');
      return;
    default: return;  // quotes, bars, hashes and the rest are not said
  }
}

bool NaturalReader::IsWeekday(std::wstring_view lemma) {
  for (const std::wstring_view day : {L"poniedziałek", L"wtorek", L"środa", L"czwartek", L"piątek", L"sobota", L"niedziela"})
    if (day == lemma) return true;
  return false;
}

bool NaturalReader::ReadWeekdays(const Noun& day, Case c) {
  // «pon.-pt.»: from one day to the other.
  if ((At(pos_) == L'-' || At(pos_) == 0x2013)) {
    const Abbreviation* to = AbbreviationAt(text_.substr(pos_ + 1));
    if (to && to->kind == Abbreviation::Kind::Noun && IsWeekday(to->reading)) {
      if (lastWord_ != L"od") Say(L"od");
      Say(day.Form(false, Case::Gen));
      Say(L"do");
      Say(NounByLemma(to->reading)->Form(false, Case::Gen));
      pos_ += 1 + to->text.size();
      lastWord_.clear();
      if (ClosesSentenceAt(pos_)) Mark(L'.');
      return true;
    }
  }
  // «w sob.» is «w sobotę»: a day after «w» is in the accusative.
  const Case dayCase = lastWord_ == L"w" || lastWord_ == L"we" ? Case::Acc : c;
  Say(day.Form(false, dayCase));
  // «w sob. i niedz.»: a day joined on by «i», «lub», «albo» or «oraz» takes the same case.
  for (;;) {
    const std::wstring joiner = NextWordAt(pos_);
    if (joiner != L"i" && joiner != L"lub" && joiner != L"albo" && joiner != L"oraz") break;
    const size_t after = SkipBlank(SkipBlank(pos_) + joiner.size());
    const Abbreviation* next = AbbreviationAt(text_.substr(after));
    if (!next || next->kind != Abbreviation::Kind::Noun || !IsWeekday(next->reading)) break;
    Say(joiner);
    Say(NounByLemma(next->reading)->Form(false, dayCase));
    pos_ = after + next->text.size();
  }
  lastWord_.clear();
  if (ClosesSentenceAt(pos_)) Mark(L'.');
  return true;
}

bool NaturalReader::ReadAddress() {
  if (pos_ > 0 && !IsBlankChar(At(pos_ - 1)) && !IsLineEnd(At(pos_ - 1)) && At(pos_ - 1) != L'(' && At(pos_ - 1) != L'<')
    return false;
  // Addresses are short: a longer chunk is not one, and is not scanned again from each of its
  // openings («((((...»).
  constexpr size_t kLongestAddress = 256;
  size_t end = pos_;
  while (end < text_.size() && end - pos_ <= kLongestAddress && !IsBlankChar(text_[end]) && !IsLineEnd(text_[end]) && text_[end] != L')' &&
         text_[end] != L'>' && text_[end] != L',' && text_[end] != L'"')
    ++end;
  while (end > pos_ && std::wstring_view(L".;:!?").find(text_[end - 1]) != std::wstring_view::npos) --end;
  if (end - pos_ > kLongestAddress) return false;
  std::wstring_view chunk = Slice(pos_, end);
  const size_t at = chunk.find(L'@');
  const bool mail = at != std::wstring_view::npos && at > 0 && at + 1 < chunk.size() && IsLetterChar(chunk[at + 1]);
  bool web = chunk.starts_with(L"www.") || chunk.starts_with(L"http://") || chunk.starts_with(L"https://");
  if (!mail && !web) {
    const std::wstring_view host = chunk.substr(0, chunk.find(L'/'));
    const size_t dot = host.rfind(L'.');
    if (dot == std::wstring_view::npos || dot == 0 || !IsLetterChar(chunk[0])) return false;
    if (AddressEndingWords(LowerText(host.substr(dot + 1))).empty()) return false;
    for (const wchar_t ch : host)
      if (!IsLetterChar(ch) && !IsDigitChar(ch) && ch != L'.' && ch != L'-') return false;
    web = true;
  }
  for (const std::wstring_view scheme : {L"https://", L"http://"})
    if (chunk.starts_with(scheme)) chunk.remove_prefix(scheme.size());
  while (!chunk.empty() && chunk.back() == L'/') chunk.remove_suffix(1);
  size_t p = 0;
  wchar_t previous = 0;
  while (p < chunk.size()) {
    const wchar_t ch = chunk[p];
    if (IsLetterChar(ch)) {
      size_t e = p;
      while (e < chunk.size() && IsLetterChar(chunk[e])) ++e;
      const std::wstring label = LowerText(chunk.substr(p, e - p));
      const std::wstring_view ending = previous == L'.' ? AddressEndingWords(label) : std::wstring_view();
      if (label == L"www") Say(L"wu wu wu");
      else if (!ending.empty()) Say(ending);
      else if (IsCapitalWord(chunk.substr(p, e - p))) Say(AcronymWords(chunk.substr(p, e - p)));
      else Say(label);
      p = e;
      continue;
    }
    if (IsDigitChar(ch)) {
      size_t e = p;
      while (e < chunk.size() && IsDigitChar(chunk[e])) ++e;
      Say(DigitGroupWords(chunk.substr(p, e - p)));
      p = e;
      continue;
    }
    switch (ch) {
      case L'.': Say(L"kropka"); break;
      case L'@': Say(L"małpa"); break;
      case L'/': Say(L"ukośnik"); break;
      case L'-': Say(L"myślnik"); break;
      case L'_': Say(L"podkreślnik"); break;
      case L':': Say(L"dwukropek"); break;
      case L'=': Say(L"równa się"); break;
      case L'?': Say(L"pytajnik"); break;
      case L'&': Say(L"i"); break;
      default: break;
    }
    previous = ch;
    ++p;
  }
  pos_ = end;
  lastWord_.clear();
  return true;
}

}  // namespace mowik
