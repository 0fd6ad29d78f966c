#include "mowik/platform/windows_regional_settings.h"

#include <windows.h>

namespace mowik {
namespace {

bool ReadLocaleText(const wchar_t* locale, LCTYPE type, std::wstring& text) {
  wchar_t buffer[128];
  const int length = GetLocaleInfoEx(locale, type, buffer, static_cast<int>(std::size(buffer)));
  if (length <= 1) return false;
  text.assign(buffer, static_cast<size_t>(length) - 1);
  return true;
}

}  // namespace

RegionalSettings RegionalSettingsOfLocale(const std::wstring& localeName) {
  const wchar_t* locale = localeName.empty() ? LOCALE_NAME_USER_DEFAULT : localeName.c_str();
  std::wstring order_text;
  if (!ReadLocaleText(locale, LOCALE_IDATE, order_text)) return PolishRegionalSettings();
  // LOCALE_IDATE: 0 month-day-year, 1 day-month-year, 2 year-month-day.
  DateOrder order = DateOrder::DayMonthYear;
  if (order_text == L"0") order = DateOrder::MonthDayYear;
  if (order_text == L"2") order = DateOrder::YearMonthDay;
  std::array<std::wstring, 12> months;
  for (size_t m = 0; m < months.size(); ++m)
    if (!ReadLocaleText(locale, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + m), months[m])) return PolishRegionalSettings();
  return RegionalSettings(order, std::move(months));
}

}  // namespace mowik
