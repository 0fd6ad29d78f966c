#include <algorithm>

#include "mowik/verbalise/natural/char_classes.h"
#include "mowik/verbalise/natural/number_forms.h"
#include "mowik/verbalise/natural/reader.h"
#include "mowik/verbalise/natural/reading_tables.h"
#include "mowik/verbalise/natural/roman_numerals.h"

namespace mowik {
namespace {

constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool ValidDay(int day, int month, int year) {
  if (month < 1 || month > 12 || day < 1) return false;
  if (month == 2 && day == 29) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDaysInMonth[month - 1];
}

int Value(std::wstring_view digits) {
  int v = 0;
  for (const wchar_t d : digits) v = v * 10 + (d - L'0');
  return v;
}

bool IsYear(uint64_t v) { return v >= 1000 && v <= 2100; }

bool IsDayOfMonth(uint64_t v) { return v >= 1 && v <= 31; }

// A day of a date as said: «piątego» (maja).
std::wstring DayWords(uint64_t day) { return OrdinalWords(day, Case::Gen, Gender::MascInanimate); }

// The case a preposition of one case governs; the nominative after any other word.
Case OneCaseOr(const std::vector<Case>& cases) { return cases.size() == 1 ? cases.front() : Case::Nom; }

bool IsMonthGenitive(std::wstring_view word) {
  for (int m = 1; m <= 12; ++m)
    if (MonthGenitive(m) == word) return true;
  return false;
}

bool LooksLikeVerb(std::wstring_view w) {
  for (const std::wstring_view ending : {L"je", L"ją", L"ł", L"ła", L"li", L"ło", L"ać", L"ić", L"eć", L"yć", L"uje", L"ie", L"my", L"cie"})
    if (w.ends_with(ending)) return true;
  return false;
}

// Nouns that stand for a number's year.
constexpr std::wstring_view kYearWords[] = {L"roku", L"rok", L"rokiem", L"rokowi"};

}  // namespace

bool NaturalReader::ReadNumber() {
  const size_t start = pos_;
  const std::vector<Case> governing = CasesHere();
  const bool read = ReadDate(start) || ReadClock(start, carriedCase_) || ReadScore(start) || ReadPostcode(start) ||
                    ReadRange(start) || ReadFirstDayOfSpan(start) || ReadFraction(start) || ReadGroupsAsPhone(start) ||
                    ReadOrdinalBeforeNoun(start);
  if (!read) ReadQuantity(start);
  carriedCase_.reset();
  joinedCase_.reset();
  // «między 5 a 6»: a number joined on by «a», «i», «lub» or «albo» is in the same case.
  if (governing.size() == 1) {
    const std::wstring joiner = NextWordAt(pos_);
    const size_t after = SkipBlank(SkipBlank(pos_) + joiner.size());
    if ((joiner == L"a" || joiner == L"i" || joiner == L"lub" || joiner == L"albo") && after > SkipBlank(pos_) + joiner.size() &&
        IsDigitChar(At(after)))
      joinedCase_ = governing.front();
  }
  phoneNext_ = false;
  lastWord_.clear();
  return true;
}

bool NaturalReader::ReadDate(size_t start) {
  const size_t e1 = DigitsEnd(start);
  const size_t n1 = e1 - start;
  int day = 0, month = 0, year = 0;
  size_t end = 0;
  const wchar_t sep = At(e1);
  if ((sep == L'.' || sep == L'-' || sep == L'/') && IsDigitChar(At(e1 + 1))) {
    const size_t e2 = DigitsEnd(e1 + 1);
    if (sep == L'.' && n1 <= 2 && e2 - e1 - 1 == 2 && !(At(e2) == L'.' && IsDigitChar(At(e2 + 1)))) {
      // A day and a month without the year, «do 12.05», only after a word that dates follow
      // or with the closing dot «12.05.»: otherwise it is a decimal.
      static constexpr std::wstring_view kBeforeDates[] = {L"do", L"od", L"dnia", L"dniu", L"z", L"na", L"przed", L"po", L"w", L"we"};
      const bool context = std::find(std::begin(kBeforeDates), std::end(kBeforeDates), lastWord_) != std::end(kBeforeDates);
      const size_t after = SkipBlank(e2 + (At(e2) == L'.' ? 1 : 0));
      const bool measured = UnitAt(text_.substr(after)) || CurrencyAt(text_.substr(after));
      day = Value(Slice(start, e1));
      month = Value(Slice(e1 + 1, e2));
      if ((context || At(e2) == L'.') && !measured && !IsDigitChar(At(e2)) && ValidDay(day, month, 2000)) {
        Say(DayWords(static_cast<uint64_t>(day)));
        Say(MonthGenitive(month));
        pos_ = e2 + (At(e2) == L'.' && !ClosesSentenceAt(e2 + 1) ? 1 : 0);
        return true;
      }
      return false;
    }
    if (At(e2) != sep || !IsDigitChar(At(e2 + 1))) return false;
    const size_t e3 = DigitsEnd(e2 + 1);
    const size_t n2 = e2 - e1 - 1, n3 = e3 - e2 - 1;
    if (n1 <= 2 && n2 <= 2 && (n3 == 4 || n3 == 2)) {
      day = Value(Slice(start, e1));
      month = Value(Slice(e1 + 1, e2));
      year = Value(Slice(e2 + 1, e3));
      if (n3 == 2) year += year >= 30 ? 1900 : 2000;
    } else if (n1 == 4 && n2 <= 2 && n3 <= 2 && sep == L'-') {
      year = Value(Slice(start, e1));
      month = Value(Slice(e1 + 1, e2));
      day = Value(Slice(e2 + 1, e3));
    } else {
      return false;
    }
    end = e3;
  } else if (n1 <= 2 && IsBlankChar(At(e1))) {
    const size_t w = SkipBlank(e1);
    const size_t we = LettersEnd(w);
    const std::wstring_view word = Slice(w, we);
    month = MonthOfGenitive(word);
    if (month == 0) {
      month = RomanValue(word);
      if (month > 12 || !IsBlankChar(At(we)) || !IsDigitChar(At(SkipBlank(we)))) return false;
    }
    day = Value(Slice(start, e1));
    end = we;
    const size_t y = SkipBlank(we);
    if (IsBlankChar(At(we)) && IsDigitChar(At(y)) && DigitsEnd(y) - y == 4) {
      year = Value(Slice(y, DigitsEnd(y)));
      end = DigitsEnd(y);
    }
  } else {
    return false;
  }
  if (!ValidDay(day, month, year == 0 ? 2000 : year) || IsDigitChar(At(end))) return false;
  Say(DayWords(static_cast<uint64_t>(day)));
  Say(MonthGenitive(month));
  pos_ = end;
  if (year != 0) {
    Say(YearWords(static_cast<uint64_t>(year), Case::Gen));
    const size_t n = SkipBlank(end);
    const std::wstring next = NextWordAt(end);
    if (next == L"r" && At(n + 1) == L'.') {
      pos_ = n + 2;
      Say(L"roku");
      if (EndsLineAt(pos_)) Mark(L'.');
    } else if (next == L"roku") {
      pos_ = n + next.size();
      Say(L"roku");
    } else {
      Say(L"roku");
    }
  }
  return true;
}

bool NaturalReader::ReadClock(size_t start, std::optional<Case> forced) {
  const size_t e1 = DigitsEnd(start);
  const std::vector<Case> cases = CasesHere();
  const bool timeContext = forced || lastWord_ == L"o" || lastWord_ == L"od" || lastWord_ == L"do" ||
                           lastWord_ == L"przed" || lastWord_ == L"po" || lastWord_ == L"około";
  const wchar_t sep = At(e1);
  const bool colon = sep == L':' || (sep == L'.' && timeContext);
  const auto hourWords = [&](int hour, Case hc) {
    return hour == 0 ? std::wstring(L"zero") : OrdinalWords(static_cast<uint64_t>(hour), hc, Gender::Feminine);
  };
  if (e1 - start > 2) return false;
  const int hour = Value(Slice(start, e1));
  if (hour > 24) return false;
  // After «godz.» before a span: «w godzinach od ósmej do szesnastej».
  const bool span = hourRange_;
  hourRange_ = false;
  if (span) {
    Say(L"od");
    forced = Case::Gen;
  }
  const Case c = forced ? *forced : cases.empty() ? Case::Nom : cases.front();
  if (!colon || !IsDigitChar(At(e1 + 1)) || DigitsEnd(e1 + 1) - e1 - 1 != 2) {
    if (!forced || IsDigitChar(At(e1))) return false;
    Say(hourWords(hour, c));  // «o godz. 8»
    pos_ = e1;
    // «godz. 8-16»: until the second hour.
    const size_t e2 = DigitsEnd(e1 + 1);
    const bool minutesFollow = (At(e2) == L':' || At(e2) == L'.') && IsDigitChar(At(e2 + 1));
    if ((At(e1) == L'-' || At(e1) == 0x2013) && e2 > e1 + 1 && e2 - e1 - 1 <= 2 && !minutesFollow) {
      const int until = Value(Slice(e1 + 1, e2));
      if (until <= 24) {
        Say(L"do");
        Say(hourWords(until, Case::Gen));
        pos_ = e2;
      }
    }
    return true;
  }
  const size_t e2 = e1 + 3;
  const int minute = Value(Slice(e1 + 1, e2));
  if (minute > 59 || IsDigitChar(At(e2))) return false;
  size_t end = e2;
  int second = 0;
  if (At(e2) == sep && IsDigitChar(At(e2 + 1)) && DigitsEnd(e2 + 1) == e2 + 3) {
    second = Value(Slice(e2 + 1, e2 + 3));
    if (second > 59) return false;
    end = e2 + 3;
  }
  const auto minuteWords = [](int m) {
    if (m == 0) return std::wstring();
    return m < 10 ? L"zero " + CardinalWords(static_cast<uint64_t>(m)) : CardinalWords(static_cast<uint64_t>(m));
  };
  // A range of two times: «8:00-16:00» is «od ósmej do szesnastej».
  const wchar_t dash = At(end);
  if ((dash == L'-' || dash == 0x2013) && IsDigitChar(At(end + 1))) {
    const size_t f1 = DigitsEnd(end + 1);
    if (f1 - end - 1 <= 2 && At(f1) == sep && DigitsEnd(f1 + 1) == f1 + 3 && !IsDigitChar(At(f1 + 3))) {
      const int hour2 = Value(Slice(end + 1, f1)), minute2 = Value(Slice(f1 + 1, f1 + 3));
      if (hour2 <= 24 && minute2 <= 59) {
        const bool from = cases.empty() && !forced && !span;
        if (from) Say(L"od");
        Say(hourWords(hour, from ? Case::Gen : c));
        Say(minuteWords(minute));
        Say(L"do");
        Say(hourWords(hour2, Case::Gen));
        Say(minuteWords(minute2));
        pos_ = f1 + 3;
        return true;
      }
    }
  }
  Say(hourWords(hour, c));
  Say(minuteWords(minute));
  if (second > 0) Say(CardinalWords(static_cast<uint64_t>(second)));
  pos_ = end;
  return true;
}

bool NaturalReader::NumberPairAt(size_t start, std::wstring_view separators, uint64_t& a, uint64_t& b, size_t& end) const {
  const size_t e1 = DigitsEnd(start);
  if (separators.find(At(e1)) == std::wstring_view::npos || !IsDigitChar(At(e1 + 1))) return false;
  end = DigitsEnd(e1 + 1);
  return DigitValue(Slice(start, e1), a) && DigitValue(Slice(e1 + 1, end), b);
}

bool NaturalReader::ReadScore(size_t start) {
  uint64_t a = 0, b = 0;
  size_t e2 = 0;
  if (!NumberPairAt(start, L":", a, b, e2)) return false;
  Say(CardinalWords(a));
  Say(L"do");
  Say(CardinalWords(b, Case::Gen));
  pos_ = e2;
  return true;
}

bool NaturalReader::ReadPostcode(size_t start) {
  const size_t e1 = DigitsEnd(start);
  if (e1 - start != 2 || At(e1) != L'-' || (start > 0 && (IsDigitChar(At(start - 1)) || At(start - 1) == L'-'))) return false;
  const size_t e2 = DigitsEnd(e1 + 1);
  if (e2 - e1 - 1 != 3 || At(e2) == L'-') return false;
  const size_t next = SkipBlank(e2);
  if (!(next > e2 && IsCapitalChar(At(next))) && next < text_.size() && !IsLineEnd(At(next)) &&
      std::wstring_view(L".,;)").find(At(next)) == std::wstring_view::npos)
    return false;
  Say(DigitGroupWords(Slice(start, e1)));
  Say(DigitGroupWords(Slice(e1 + 1, e2)));
  pos_ = e2;
  return true;
}

bool NaturalReader::ReadRange(size_t start) {
  uint64_t a = 0, b = 0;
  size_t e2 = 0;
  if (!NumberPairAt(start, L"-\u2013", a, b, e2) || At(e2) == L'-') return false;
  if (IsYear(a) && IsYear(b)) {
    Say(CardinalWords(a));
    Mark(L',');
    Say(CardinalWords(b));
  } else if (IsDayOfMonth(a) && IsDayOfMonth(b) && SkipBlank(e2) > e2 && IsMonthGenitive(NextWordAt(e2))) {
    // «1-3 października»: from the first day to the last.
    if (lastWord_ != L"od") Say(L"od");
    Say(DayWords(a));
    Say(L"do");
    Say(DayWords(b));
  } else {
    const std::wstring next = NextWordAt(e2);
    const Agreement g = AgreeCount(b, next);
    // «od 5-6 lat» is «od pięciu do sześciu lat»: a preposition of one case governs the first.
    const std::vector<Case> cases = CasesHere();
    Say(CardinalWords(a, OneCaseOr(cases), g.gender));
    Say(L"do");
    Say(CardinalWords(b, Case::Gen, g.gender));
    // «2-3 kobiety» is «dwie do trzech kobiet», «2-3 tys.» «dwa do trzech tysięcy»: the noun
    // follows the second number's genitive.
    size_t length = 0;
    const std::wstring_view multiplier = SkipBlank(e2) == e2 + 1 ? MultiplierAt(text_.substr(e2 + 1), length) : std::wstring_view();
    const std::vector<NounReading> readings = NounReadings(next);
    if (!multiplier.empty()) {
      const Noun& noun = *NounByLemma(multiplier);
      const FormChoice form = FormAfterCount(b, Case::Gen, noun.gender);
      Say(noun.Form(form.plural, form.grammaticalCase));
      e2 += 1 + length;
      const size_t r = SkipBlank(e2);
      if (const Currency* currency = CurrencyAt(text_.substr(r))) {  // «2-3 mln zł»
        Say(NounByLemma(currency->noun)->Form(true, Case::Gen));
        e2 = r + currency->symbol.size();
      }
    } else if (!readings.empty() && readings.front().listed && readings.front().noun && SkipBlank(e2) == e2 + 1) {
      const FormChoice form = FormAfterCount(b, Case::Gen, g.gender);
      Say(readings.front().noun->Form(form.plural, form.grammaticalCase));
      e2 = SkipBlank(e2) + next.size();
    }
  }
  pos_ = e2;
  return true;
}

bool NaturalReader::ReadFirstDayOfSpan(size_t start) {
  // «od 1 do 3 października», «2 i 3 stycznia»: the first day of a span or a pair of days is
  // a date too.
  const size_t e1 = DigitsEnd(start);
  if (e1 - start > 2 || IsLetterChar(At(e1))) return false;
  const size_t d = SkipBlank(e1);
  const std::wstring joiner = NextWordAt(e1);
  if (d == e1 || (joiner != L"do" && joiner != L"i" && joiner != L"a" && joiner != L"lub" && joiner != L"albo")) return false;
  const size_t n = SkipBlank(d + joiner.size());
  const size_t e2 = DigitsEnd(n);
  if (n == d + joiner.size() || e2 == n || e2 - n > 2) return false;
  const uint64_t first = static_cast<uint64_t>(Value(Slice(start, e1))), last = static_cast<uint64_t>(Value(Slice(n, e2)));
  if (!IsMonthGenitive(NextWordAt(e2)) || SkipBlank(e2) == e2 || !IsDayOfMonth(first) || !IsDayOfMonth(last)) return false;
  Say(DayWords(first));
  pos_ = e1;
  return true;
}

bool NaturalReader::ReadFraction(size_t start) {
  uint64_t a = 0, b = 0;
  size_t e2 = 0;
  if (!NumberPairAt(start, L"/", a, b, e2) || At(e2) == L'/' || IsLetterChar(At(e2)) || b < 2 || b > 100 || a == 0 || a >= b)
    return false;
  // «1/2» before a noun is «pół»; otherwise a feminine count of ordinal parts: «trzy czwarte».
  const std::wstring next = NextWordAt(e2);
  if (a == 1 && b == 2 && next.size() > 3 && !LooksLikeVerb(next) && !NounReadings(next).empty()) {
    Say(L"pół");
  } else {
    const FormChoice form = FormAfterCount(a, Case::Nom, Gender::Feminine);
    Say(CardinalWords(a, Case::Nom, Gender::Feminine));
    Say(OrdinalWords(b, form.grammaticalCase, Gender::Feminine, form.plural));
  }
  pos_ = e2;
  return true;
}

bool NaturalReader::ReadOrdinalBeforeNoun(size_t start) {
  const size_t e = DigitsEnd(start);
  if (At(e) != L'.' || !IsBlankChar(At(e + 1))) return false;
  const size_t w = SkipBlank(e + 1);
  if (!IsLetterChar(At(w)) || IsCapitalChar(At(w))) return false;
  const std::wstring next = NextWordAt(e + 1);
  uint64_t value = 0;
  if (LooksLikeVerb(next) || !DigitValue(Slice(start, e), value)) return false;
  const Agreement g = AgreeOrdinal(next, CasesHere());
  Say(OrdinalWords(value, g.grammaticalCase, g.gender));
  pos_ = e + 1;
  return true;
}

bool NaturalReader::ReadGroupsAsPhone(size_t start) {
  // A telephone number has a few groups; looking no further keeps a long run of small
  // numbers («1 2 3 ...») linear.
  constexpr size_t kMostGroups = 6;
  std::vector<std::pair<size_t, size_t>> groups;
  size_t p = start;
  while (groups.size() < kMostGroups) {
    const size_t e = DigitsEnd(p);
    groups.emplace_back(p, e);
    const wchar_t sep = At(e);
    if (!(sep == L' ' || sep == L'-' || sep == 0xA0) || !IsDigitChar(At(e + 1))) break;
    p = e + 1;
  }
  const size_t last = groups.back().second;
  std::vector<size_t> sizes;
  for (const auto& [from, to] : groups) sizes.push_back(to - from);
  bool phone = phoneNext_ && (groups.size() > 1 || sizes[0] >= 7);
  if (!phone && groups.size() == 3 && sizes == std::vector<size_t>{3, 3, 3}) {
    // Three groups of three: a mobile number, unless a unit or a currency says it is an amount.
    const size_t after = SkipBlank(last);
    size_t length = 0;
    phone = !UnitAt(text_.substr(after)) && !CurrencyAt(text_.substr(after)) && MultiplierAt(text_.substr(after), length).empty();
  }
  if (!phone && groups.size() >= 3 && (sizes[0] == 2 || sizes[0] == 3)) {
    size_t total = 0;
    bool pair = false;
    for (size_t k = 1; k < sizes.size(); ++k) pair = pair || sizes[k] == 2;
    for (const size_t s : sizes) total += s;
    phone = pair && total >= 7;
  }
  if (!phone) return false;
  for (const auto& [from, to] : groups) {
    const std::wstring_view g = Slice(from, to);
    if (g.size() == 9 && groups.size() == 1) {
      for (size_t k = 0; k < 9; k += 3) Say(DigitGroupWords(g.substr(k, 3)));
    } else {
      Say(DigitGroupWords(g));
    }
  }
  pos_ = last;
  return true;
}

bool NaturalReader::ReadPhone() {
  const wchar_t c = text_[pos_];
  if (c == L'+') {
    const size_t e = DigitsEnd(pos_ + 1);
    if (e - pos_ - 1 < 1 || e - pos_ - 1 > 3 || !IsBlankChar(At(e)) || !IsDigitChar(At(e + 1))) return false;
    Say(L"plus");
    Say(CardinalWords(static_cast<uint64_t>(Value(Slice(pos_ + 1, e)))));
    phoneNext_ = true;
    pos_ = e + 1;
    return ReadNumber();
  }
  const size_t e = DigitsEnd(pos_ + 1);
  if (e - pos_ - 1 != 2 || At(e) != L')' || !IsBlankChar(At(e + 1)) || !IsDigitChar(At(e + 2))) return false;
  Say(DigitGroupWords(Slice(pos_ + 1, e)));
  phoneNext_ = true;
  pos_ = e + 2;
  return ReadNumber();
}

bool NaturalReader::ReadSignedNumber() {
  if (!IsDigitChar(At(pos_ + 1))) return false;
  if (pos_ > 0) {
    const wchar_t before = At(pos_ - 1);
    if (!IsBlankChar(before) && !IsLineEnd(before) && before != L'(' && before != L'=') return false;
    size_t q = pos_;
    while (q > 0 && IsBlankChar(At(q - 1))) --q;
    if (q > 0 && IsDigitChar(At(q - 1))) return false;  // between two numbers
  }
  Say(L"minus");
  ++pos_;
  return ReadNumber();
}

bool NaturalReader::ReadCurrencyFirst() {
  const Currency* currency = CurrencySignAt(text_.substr(pos_));
  const size_t digits = SkipBlank(pos_ + 1);
  if (!IsDigitChar(At(digits))) return false;
  pos_ = digits;
  ReadQuantityWith(digits, currency);
  lastWord_.clear();
  return true;
}

void NaturalReader::ReadQuantity(size_t start) { ReadQuantityWith(start, nullptr); }

void NaturalReader::ReadQuantityWith(size_t start, const Currency* currency) {
  size_t end = DigitsEnd(start);
  std::wstring digits(Slice(start, end));
  // Thousands grouped by blanks («12 500», «3 000 000») or dots («10.000»).
  if (digits.size() <= 3) {
    for (const wchar_t sep : {L' ', wchar_t{0xA0}, wchar_t{0x202F}, wchar_t{0x2009}, L'.'}) {
      size_t p = end;
      std::wstring grouped = digits;
      while (At(p) == sep && DigitsEnd(p + 1) == p + 4) {
        grouped.append(Slice(p + 1, p + 4));
        p += 4;
      }
      if (p != end && !(sep == L'.' && At(p) == L'.' && IsDigitChar(At(p + 1)))) {
        digits = grouped;
        end = p;
        break;
      }
    }
  }
  std::wstring_view fraction;
  if ((At(end) == L',' || At(end) == L'.') && IsDigitChar(At(end + 1))) {
    const size_t f = DigitsEnd(end + 1);
    if (At(end) == L',' || f - end - 1 <= 2) {
      fraction = Slice(end + 1, f);
      end = f;
    }
  }
  uint64_t value = 0;
  if (!DigitValue(digits, value)) {
    Say(DigitWords(digits));
    pos_ = end;
    return;
  }
  if (digits.size() > 1 && digits[0] == L'0' && fraction.empty()) {
    Say(DigitGroupWords(digits));  // «007»
    pos_ = end;
    return;
  }
  pos_ = end;
  SayCount(value, fraction, end, currency);
}

std::wstring NaturalReader::YearWords(uint64_t year, Case c) const {
  return OrdinalWords(year, c, Gender::MascInanimate);
}

bool NaturalReader::ReadYearNoun(uint64_t year, size_t p) {
  const size_t q = SkipBlank(p);
  const std::wstring next = NextWordAt(p);
  const bool abbreviated = next == L"r" && At(q + 1) == L'.' && !IsLetterChar(At(q + 2));
  if (!abbreviated && std::find(std::begin(kYearWords), std::end(kYearWords), next) == std::end(kYearWords)) return false;
  std::vector<Case> cases = CasesHere();
  if (lastWord_ == L"z" || lastWord_ == L"ze") cases = {Case::Gen};
  if (lastWord_ == L"na") cases = {Case::Acc};  // «na 2024 r.»: for the year
  Case c = cases.empty() ? Case::Gen : cases.front();
  if (!abbreviated) {
    const Agreement g = AgreeOrdinal(next, cases);
    c = g.grammaticalCase;
    if (cases.empty()) c = next == L"rok" ? Case::Nom : next == L"rokiem" ? Case::Ins : Case::Gen;
  }
  Say(YearWords(year, c));
  Say(abbreviated ? NounByLemma(L"rok")->Form(false, c) : next);
  pos_ = abbreviated ? q + 2 : q + next.size();
  if (abbreviated && EndsLineAt(pos_)) Mark(L'.');
  return true;
}

void NaturalReader::SayCount(uint64_t value, std::wstring_view fraction, size_t p, const Currency* currency) {
  const size_t q = SkipBlank(p);
  const std::wstring_view rest = text_.substr(q);
  const std::vector<Case> cases = CasesHere();
  const Case c = cases.empty() ? Case::Nom : cases.front();
  // A unit or a currency after «na», «o», «po», «w» is a measure: the accusative («na sto
  // megaherców», «po pięć złotych»).
  const Case measure = std::find(cases.begin(), cases.end(), Case::Acc) != cases.end() ? Case::Acc : c;
  const auto decimal = [&](Gender g, bool halves, Case dc) {
    if (halves && fraction == L"5") {
      if (value == 0) return std::wstring(L"pół");
      if (value == 1) return std::wstring(g == Gender::Feminine ? L"półtorej" : L"półtora");
      return CardinalWords(value, dc, g) + L" i pół";
    }
    return CardinalWords(value) + L" przecinek " + DigitGroupWords(fraction);
  };
  // The count and its noun: a decimal takes the genitive singular.
  const auto counted = [&](const Noun& noun, std::wstring_view adjective, Case nc, bool whole) {
    FormChoice form{false, Case::Gen};
    if (whole) {
      Say(CardinalWords(value, nc, noun.gender));
      form = FormAfterCount(value, nc, noun.gender);
    } else {
      Say(decimal(noun.gender, true, nc));
    }
    Say(noun.Form(form.plural, form.grammaticalCase));
    if (!adjective.empty()) Say(AdjectiveWord(adjective, form.grammaticalCase, noun.gender, form.plural));
  };

  size_t length = 0;
  if (const std::wstring_view multiplier = MultiplierAt(rest, length); !multiplier.empty()) {
    counted(*NounByLemma(multiplier), L"", measure, fraction.empty());
    pos_ = q + length;
    const size_t r = SkipBlank(pos_);
    const Currency* after = currency ? currency : CurrencyAt(text_.substr(r));
    if (after) {
      Say(NounByLemma(after->noun)->Form(true, Case::Gen));
      if (!currency) pos_ = r + after->symbol.size();
    }
    return;
  }
  if (!currency && (currency = CurrencyAt(rest)) != nullptr) pos_ = q + currency->symbol.size();
  if (currency) {
    const Noun& noun = *NounByLemma(currency->noun);
    if (fraction.size() == 2 && !currency->hundredth.empty()) {
      const uint64_t hundredths = static_cast<uint64_t>(Value(fraction));
      if (value > 0 || hundredths == 0) counted(noun, L"", measure, true);
      if (hundredths > 0) {
        const Noun& part = *NounByLemma(currency->hundredth);
        Say(CardinalWords(hundredths, measure, part.gender));
        const FormChoice form = FormAfterCount(hundredths, measure, part.gender);
        Say(part.Form(form.plural, form.grammaticalCase));
      }
      return;
    }
    counted(noun, L"", measure, fraction.empty());
    return;
  }
  if (const Unit* unit = UnitAt(rest)) {
    counted(*NounByLemma(unit->noun), unit->adjective, measure, fraction.empty());
    Say(unit->tail);
    pos_ = q + unit->symbol.size();
    if (unit->symbol.back() == L'.' && ClosesSentenceAt(pos_)) Mark(L'.');
    return;
  }
  if (fraction.empty() && value >= 1 && value <= 9999 && ReadYearNoun(value, p)) return;

  const std::wstring next = q == p || q == p + 1 ? NextWordAt(p) : std::wstring();
  std::vector<NounReading> readings = NounReadings(next);
  const bool known = !readings.empty() && readings.front().listed;
  if (fraction.empty() && IsYear(value) && !known && !cases.empty() && lastWord_ != L"na" && lastWord_ != L"o") {
    Say(YearWords(value, c));  // «w 2023», «od 1995»: the year without its noun
    return;
  }
  const Agreement g = AgreeCount(value, next);
  if (!fraction.empty()) {
    Say(decimal(g.gender, known, c));
    return;
  }
  // «dzieci» is counted by collective numerals: «czworo dzieci».
  const bool nominative = g.grammaticalCase == Case::Nom || g.grammaticalCase == Case::Acc;
  if (known && nominative && readings.front().noun && readings.front().noun->lemma == L"dziecko" && !CollectiveWords(value).empty()) {
    Say(CollectiveWords(value));
    return;
  }
  Say(CardinalWords(value, g.grammaticalCase, g.gender));
}

NaturalReader::Agreement NaturalReader::AgreeCount(uint64_t value, std::wstring_view nextWord) const {
  const std::vector<Case> cases = CasesHere();
  // A word a lexicon lists as a noun is one, whatever its ending («jabłonie»).
  std::vector<NounReading> readings = NounReadings(nextWord);
  if (!readings.empty() && !readings.front().listed && LooksLikeVerb(nextWord)) readings.clear();
  // No noun follows («do 5»): a preposition of one case governs the number itself.
  if (readings.empty()) return {OneCaseOr(cases), Gender::MascInanimate};
  if (!readings.front().listed) {
    // An adjective before the noun («3 nowe książki»): the noun after it decides.
    const size_t at = text_.find(nextWord, pos_);
    if (at != std::wstring_view::npos) {
      std::vector<NounReading> after = NounReadings(NextWordAt(at + nextWord.size()));
      if (!after.empty() && after.front().listed) readings = std::move(after);
    }
  }
  // Without a preposition an oblique case is taken only from a form the table knows, or
  // from an ending that shows it; the genitive plural of a guess is the nominative's noun.
  static const std::vector<Case> kAny = {Case::Nom, Case::Acc, Case::Ins, Case::Loc, Case::Dat, Case::Gen};
  static const std::vector<Case> kGuessed = {Case::Nom, Case::Acc, Case::Ins, Case::Loc, Case::Dat};
  for (const Case c : !cases.empty() ? cases : readings.front().listed ? kAny : kGuessed)
    for (const NounReading& r : readings) {
      const FormChoice form = FormAfterCount(value, c, r.gender);
      if (form.plural == r.plural && form.grammaticalCase == r.grammaticalCase) return {c, r.gender};
    }
  return {cases.empty() ? Case::Nom : cases.front(), readings.front().gender};
}

}  // namespace mowik
