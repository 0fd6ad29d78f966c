#include "mowik/verbalise/regional_settings.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

using Date = std::optional<CalendarDate>;
using Time = std::optional<ClockTime>;

TEST(PolishRegionalSettings, DayMonthYearWithHyphenOrSlash) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(polish.ParseDate(L"12-05-2024"), (Date{{2024, 5, 12}}));
  EXPECT_EQ(polish.ParseDate(L"1/2/2003"), (Date{{2003, 2, 1}}));
  EXPECT_EQ(polish.ParseDate(L"31-12/1999"), (Date{{1999, 12, 31}})) << "separators may differ";
  EXPECT_EQ(polish.ParseDate(L"2024-05-12"), (Date{{2024, 5, 12}})) << "a four-digit first group is the year";
  EXPECT_EQ(polish.ParseDate(L"2024/1/2"), (Date{{2024, 1, 2}}));
  EXPECT_EQ(polish.ParseDate(L"12|05|2024"), Date{});
}

TEST(PolishRegionalSettings, TwoDigitYearsFrom1930To2029) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(polish.ParseDate(L"1-1-29"), (Date{{2029, 1, 1}}));
  EXPECT_EQ(polish.ParseDate(L"1-1-30"), (Date{{1930, 1, 1}}));
  EXPECT_EQ(polish.ParseDate(L"1-1-0"), (Date{{2000, 1, 1}}));
  EXPECT_EQ(polish.ParseDate(L"1-1-99"), (Date{{1999, 1, 1}}));
  EXPECT_EQ(polish.ParseDate(L"1-1-0999"), (Date{{999, 1, 1}}));
  EXPECT_EQ(polish.ParseDate(L"1-1-202"), Date{}) << "three-digit years are not dates";
  EXPECT_EQ(polish.ParseDate(L"1-1-0000"), Date{});
}

TEST(PolishRegionalSettings, DaysMustExist) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(polish.ParseDate(L"29-02-2024"), (Date{{2024, 2, 29}}));
  EXPECT_EQ(polish.ParseDate(L"29-02-2000"), (Date{{2000, 2, 29}}));
  EXPECT_EQ(polish.ParseDate(L"29-02-2023"), Date{});
  EXPECT_EQ(polish.ParseDate(L"29-02-1900"), Date{});
  EXPECT_EQ(polish.ParseDate(L"31-04-2024"), Date{});
  EXPECT_EQ(polish.ParseDate(L"0-04-2024"), Date{});
  EXPECT_EQ(polish.ParseDate(L"10-13-2024"), Date{});
  EXPECT_EQ(polish.ParseDate(L"10-0-2024"), Date{});
  EXPECT_EQ(polish.ParseDate(L"010-1-2024"), Date{}) << "days have one or two digits";
  EXPECT_EQ(polish.ParseDate(L"2024-001-01"), Date{});
}

TEST(PolishRegionalSettings, MalformedTextsAreNoDates) {
  const RegionalSettings& polish = PolishRegionalSettings();
  for (const wchar_t* text : {L"", L"-", L"1-2", L"1-2-3-4", L"1--2", L"-1-2-3", L"1-2-3-", L"a-b-c",
                              L"1-2-3 ", L"12345-1-1", L"1-1-12345"})
    EXPECT_EQ(polish.ParseDate(text), Date{}) << text;
}

TEST(PolishRegionalSettings, ClockTimes) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(polish.ParseTime(L"00:00"), (Time{{0, 0, 0}}));
  EXPECT_EQ(polish.ParseTime(L"23:59:59"), (Time{{23, 59, 59}}));
  EXPECT_EQ(polish.ParseTime(L"12:30:00"), (Time{{12, 30, 0}}));
  for (const wchar_t* text : {L"24:00", L"12:60", L"12:30:60", L"25:70", L"1:30", L"12:30:5", L"12-30",
                              L"12:30:", L"ab:cd", L"", L"12:30:15:10"})
    EXPECT_EQ(polish.ParseTime(text), Time{}) << text;
}

TEST(PolishRegionalSettings, MonthNames) {
  const RegionalSettings& polish = PolishRegionalSettings();
  EXPECT_EQ(polish.MonthName(1), L"styczeń");
  EXPECT_EQ(polish.MonthName(10), L"październik");
  EXPECT_EQ(polish.MonthName(12), L"grudzień");
  EXPECT_EQ(polish.MonthName(0), L"");
  EXPECT_EQ(polish.MonthName(13), L"");
  EXPECT_EQ(polish.Order(), DateOrder::DayMonthYear);
}

TEST(RegionalSettings, OtherDateOrders) {
  const RegionalSettings us(DateOrder::MonthDayYear, {});
  EXPECT_EQ(us.ParseDate(L"12-05-2024"), (Date{{2024, 12, 5}}));
  EXPECT_EQ(us.ParseDate(L"2024-12-05"), (Date{{2024, 12, 5}}));
  EXPECT_EQ(us.ParseDate(L"13-05-2024"), Date{});
  const RegionalSettings iso(DateOrder::YearMonthDay, {});
  EXPECT_EQ(iso.ParseDate(L"24-05-12"), (Date{{2024, 5, 12}}));
  EXPECT_EQ(iso.ParseDate(L"12-05-2024"), Date{});
}

}  // namespace
}  // namespace mowik
