#pragma once
// DateToWord: dates and clock times as Polish words.

#include <string>

#include "mowik/verbalise/regional_settings.h"

namespace mowik {

// The masculine ordinal of the day, a blank, the month's full name from regional, a blank and
// the year in four digits (left in digits for the digit-string step): «pierwszy maj 2024».
// Days outside 1..31 give no ordinal.
std::wstring DateToWords(const CalendarDate& date, const RegionalSettings& regional);

// The feminine ordinal of the hour (hour 0 reads as 12), a blank and the minute's number
// words; when the second is above zero, then ", i ", its number words and " sekund":
// «dwunasta trzydzieści , i piętnaście  sekund». Hours outside 0..23 give no ordinal.
std::wstring TimeToWords(const ClockTime& time);

}  // namespace mowik
