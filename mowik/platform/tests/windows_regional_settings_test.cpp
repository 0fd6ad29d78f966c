#include "mowik/platform/windows_regional_settings.h"
#include "mowik/platform/current_options.h"

#include <gtest/gtest.h>

#include "mowik/platform/current_options.h"

namespace mowik {
namespace {

// Named locales make these independent of the user's settings on the test machine.
TEST(WindowsRegionalSettings, PolishLocale) {
  const RegionalSettings polish = RegionalSettingsOfLocale(L"pl-PL");
  EXPECT_EQ(polish.Order(), DateOrder::DayMonthYear);
  EXPECT_EQ(polish.MonthName(1), L"styczeń");
  EXPECT_EQ(polish.MonthName(9), L"wrzesień");
  EXPECT_EQ(polish.ParseDate(L"12-05-2024"), (std::optional<CalendarDate>{{2024, 5, 12}}));
}

TEST(WindowsRegionalSettings, UnitedStatesLocale) {
  const RegionalSettings us = RegionalSettingsOfLocale(L"en-US");
  EXPECT_EQ(us.Order(), DateOrder::MonthDayYear);
  EXPECT_EQ(us.MonthName(12), L"December");
  EXPECT_EQ(us.ParseDate(L"12-05-2024"), (std::optional<CalendarDate>{{2024, 12, 5}}));
}

TEST(WindowsRegionalSettings, UnreadableLocaleFallsBackToPolish) {
  const RegionalSettings unknown = RegionalSettingsOfLocale(L"xx-not-a-locale");
  EXPECT_EQ(unknown.Order(), DateOrder::DayMonthYear);
  EXPECT_EQ(unknown.MonthName(1), L"styczeń");
}

TEST(WindowsRegionalSettings, UserLocaleGivesTwelveNames) {
  const RegionalSettings user = UserRegionalSettings();
  for (int32_t m = 1; m <= 12; ++m) EXPECT_FALSE(user.MonthName(m).empty()) << m;
}

}  // namespace
}  // namespace mowik
