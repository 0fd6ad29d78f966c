#pragma once
// Regional settings: how the user writes dates and what the months are called. The
// normalisation asks them whether a text is a date or a clock time, and the date words ask
// them for the month's name.
//
// The rules, in this one place:
//  - A date is three groups of digits joined by "-" or "/" (either, in each place). The group
//    order is the locale's (day-month-year for Polish), except that a first group of four
//    digits is always a year, followed by month and day.
//  - Day and month are written with one or two digits; the day must exist in that month
//    (leap years by the Gregorian rule).
//  - A year of one or two digits is 1930 to 2029 (30-99 are 19xx, 00-29 are 20xx); a year of
//    four digits is taken as written, 0001 to 9999. Three-digit years are not dates.
//  - A time of day is hh:mm or hh:mm:ss, two digits each, hours 00-23, minutes and seconds
//    00-59.
//  - Month names are the locale's full names in the nominative ("styczeń" ... "grudzień").
// Native builds (and the tests) always use the fixed Polish profile; the Windows build reads
// the date order and the month names of the user's locale (mowik/platform).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mowik {

struct CalendarDate {
  int32_t year = 0;
  int32_t month = 0;  // 1..12
  int32_t day = 0;    // 1..31
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct ClockTime {
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// The order of day, month and year in dates whose first group is not a four-digit year.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

class RegionalSettings {
 public:
  RegionalSettings(DateOrder order, std::array<std::wstring, 12> monthNames);

  // The date that text (the whole of it) stands for, or nothing when it is not one.
  std::optional<CalendarDate> ParseDate(std::wstring_view text) const;
  // The time of day that text (the whole of it) stands for, or nothing.
  std::optional<ClockTime> ParseTime(std::wstring_view text) const;
  // The full name of month 1..12; the empty text for any other number.
  const std::wstring& MonthName(int32_t month) const;
  DateOrder Order() const { return order_; }

 private:
  DateOrder order_;
  std::array<std::wstring, 12> monthNames_;
};

// The fixed Polish profile: day-month-year, Polish month names.
const RegionalSettings& PolishRegionalSettings();

}  // namespace mowik
