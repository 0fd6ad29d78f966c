#include "mowik/verbalise/regional_settings.h"

#include <vector>

namespace mowik {
namespace {

struct DigitGroup {
  int32_t value = 0;
  size_t digits = 0;
};

// Splits text into digit groups at "-" and "/"; nothing when any other character occurs, a
// group is empty or longer than four digits.
std::optional<std::vector<DigitGroup>> DigitGroups(std::wstring_view text) {
  std::vector<DigitGroup> groups(1);
  for (const wchar_t c : text) {
    if (c == L'-' || c == L'/') {
      if (groups.back().digits == 0) return std::nullopt;
      groups.emplace_back();
    } else if (c >= L'0' && c <= L'9') {
      DigitGroup& group = groups.back();
      if (++group.digits > 4) return std::nullopt;
      group.value = group.value * 10 + (c - L'0');
    } else {
      return std::nullopt;
    }
  }
  if (groups.back().digits == 0) return std::nullopt;
  return groups;
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<int32_t> YearOf(const DigitGroup& group) {
  if (group.digits <= 2) return group.value < 30 ? 2000 + group.value : 1900 + group.value;
  if (group.digits == 4 && group.value >= 1) return group.value;
  return std::nullopt;
}

// Two digits 0-9 at text[at] and text[at + 1], as a number.
std::optional<int32_t> TwoDigits(std::wstring_view text, size_t at) {
  const wchar_t a = text[at], b = text[at + 1];
  if (a < L'0' || a > L'9' || b < L'0' || b > L'9') return std::nullopt;
  return (a - L'0') * 10 + (b - L'0');
}

}  // namespace

RegionalSettings::RegionalSettings(DateOrder order, std::array<std::wstring, 12> monthNames)
    : order_(order), monthNames_(std::move(monthNames)) {}

std::optional<CalendarDate> RegionalSettings::ParseDate(std::wstring_view text) const {
  const std::optional<std::vector<DigitGroup>> groups = DigitGroups(text);
  if (!groups || groups->size() != 3) return std::nullopt;
  const DigitGroup& a = (*groups)[0];
  const DigitGroup& b = (*groups)[1];
  const DigitGroup& c = (*groups)[2];
  const DateOrder order = a.digits == 4 ? DateOrder::YearMonthDay : order_;
  const DigitGroup* year = &c;
  const DigitGroup* month = &b;
  const DigitGroup* day = &a;
  if (order == DateOrder::MonthDayYear) {
    month = &a;
    day = &b;
  } else if (order == DateOrder::YearMonthDay) {
    year = &a;
    day = &c;
  }
  if (day->digits > 2 || month->digits > 2) return std::nullopt;
  const std::optional<int32_t> y = YearOf(*year);
  if (!y || month->value < 1 || month->value > 12) return std::nullopt;
  if (day->value < 1 || day->value > DaysInMonth(*y, month->value)) return std::nullopt;
  return CalendarDate{*y, month->value, day->value};
}

std::optional<ClockTime> RegionalSettings::ParseTime(std::wstring_view text) const {
  if (text.size() != 5 && text.size() != 8) return std::nullopt;
  if (text[2] != L':' || (text.size() == 8 && text[5] != L':')) return std::nullopt;
  const std::optional<int32_t> hour = TwoDigits(text, 0);
  const std::optional<int32_t> minute = TwoDigits(text, 3);
  const std::optional<int32_t> second = text.size() == 8 ? TwoDigits(text, 6) : 0;
  if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
  return ClockTime{*hour, *minute, *second};
}

const std::wstring& RegionalSettings::MonthName(int32_t month) const {
  static const std::wstring none;
  return month >= 1 && month <= 12 ? monthNames_[static_cast<size_t>(month) - 1] : none;
}

const RegionalSettings& PolishRegionalSettings() {
  static const RegionalSettings polish(
      DateOrder::DayMonthYear,
      {L"stycze\u0144", L"luty", L"marzec", L"kwiecie\u0144", L"maj", L"czerwiec", L"lipiec",
       L"sierpie\u0144", L"wrzesie\u0144", L"pa\u017Adziernik", L"listopad", L"grudzie\u0144"});
  return polish;
}

}  // namespace mowik
