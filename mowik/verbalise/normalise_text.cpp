#include "mowik/verbalise/normalise_text.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "mowik/program/table_model.h"
#include "mowik/verbalise/apply_dictionary.h"
#include "mowik/verbalise/collapse_spaces.h"
#include "mowik/verbalise/currency_name.h"
#include "mowik/verbalise/date_to_words.h"
#include "mowik/verbalise/fixed_substitutions.h"
#include "mowik/verbalise/natural/natural_normalise.h"
#include "mowik/verbalise/number_to_words.h"
#include "mowik/verbalise/polish_case.h"
#include "mowik/verbalise/replace_all.h"
#include "mowik/verbalise/spell_capitals.h"
#include "mowik/verbalise/text_patterns.h"

namespace mowik {
namespace {

// The words for one match, or nothing to leave it as it is.
using Reading = std::function<std::optional<std::wstring>(std::wstring_view match)>;

// Replaces each match at the place where it was found. Replacing the first occurrence of the
// match's text instead would rewrite an earlier word that merely contains it (the «W» of
// «Warszawa W», the «1:30» inside «11:30»).
void ReplaceMatches(std::wstring& text, const std::vector<PatternMatch>& matches, const Reading& read) {
  if (matches.empty()) return;
  std::wstring result;
  result.reserve(text.size() + text.size() / 2);
  size_t copied = 0;
  for (const PatternMatch& m : matches) {
    std::optional<std::wstring> words = read(std::wstring_view(text).substr(m.start, m.length));
    if (!words) continue;
    result.append(text, copied, m.start - copied);
    result += *words;
    copied = m.start + m.length;
  }
  if (copied == 0) return;  // nothing was read
  result.append(text, copied, std::wstring::npos);
  text = std::move(result);
}

// Digits with their leading zeros dropped, "0" for none: the decimal text of their value,
// for any number of digits.
std::wstring WithoutLeadingZeros(std::wstring_view digits) {
  const size_t first = digits.find_first_not_of(L'0');
  return first == std::wstring_view::npos ? std::wstring(L"0") : std::wstring(digits.substr(first));
}

// A white-space character, the amount (digits with one optional "." or ","), perhaps a blank,
// then the code; nothing when the code names no currency, so that «15 lat» keeps its word.
std::optional<std::wstring> ReadAmount(std::wstring_view match) {
  const std::wstring name = CurrencyName(match.substr(match.size() - 3));
  if (name.empty()) return std::nullopt;
  std::wstring_view amount = match.substr(1, match.size() - 4);
  if (!amount.empty() && amount.back() == L' ') amount.remove_suffix(1);
  const size_t mark = amount.find_first_of(L".,");
  std::wstring words;
  if (mark == std::wstring_view::npos) {
    words = NumberToWords(WithoutLeadingZeros(amount));
  } else {
    words = NumberToWords(WithoutLeadingZeros(amount.substr(0, mark))) + L", i " +
            NumberToWords(WithoutLeadingZeros(amount.substr(mark + 1)));
  }
  return L" " + words + name;
}

constexpr std::wstring_view kClosingMarks = L".?!;";

}  // namespace

void NormaliseText(std::wstring& text, const NormaliseOptions& options) {
  if (options.natural) {
    NormaliseNaturally(text, options);
    return;
  }
  const RegionalSettings& regional = options.regional;
  const bool spell = options.spellCapital;
  if (spell) ReplaceMatches(text, FindCapitalWords(text), [](std::wstring_view m) { return SpellCapitals(m); });

  ReplaceMatches(text, FindDateCandidates(text), [&](std::wstring_view m) -> std::optional<std::wstring> {
    const std::optional<CalendarDate> date = regional.ParseDate(m);
    if (!date) return std::nullopt;
    return DateToWords(*date, regional);
  });
  ReplaceMatches(text, FindRatios(text), [](std::wstring_view m) {
    return L"jeden do " + NumberToWords(m.substr(2));
  });
  ReplaceMatches(text, FindTimeCandidates(text), [&](std::wstring_view m) -> std::optional<std::wstring> {
    const std::optional<ClockTime> time = regional.ParseTime(m);
    if (!time) return std::nullopt;
    return TimeToWords(*time);
  });
  ReplaceMatches(text, FindAmounts(text), ReadAmount);
  ReplaceMatches(text, FindRanges(text), [](std::wstring_view m) {
    std::wstring range(m);
    ReplaceAll(range, L"-", L", kreska, ");
    return range;
  });
  if (spell) ReplaceMatches(text, FindDigitRuns(text), [](std::wstring_view m) { return NumberToWords(m); });

  text = CollapseSpaces(LowerText(text));
  if (!text.empty() && kClosingMarks.find(text.back()) == std::wstring_view::npos) text += L'.';
  if (options.dictionary) ApplyDictionary(text, *options.dictionary);
  ApplyFixedSubstitutions(text);
}

}  // namespace mowik
