// The options of the tab "Ogólne": the interval field's filter and validation, the clock's
// minutes, and the check boxes' globals.
#include "mowik/shell/general_options.h"

#include <gtest/gtest.h>

#include "mowik/program/main_module.h"
#include "mowik/shell/layout_table.h"
#include "mowik/shell/tests/fake_views.h"

namespace mowik::test {
namespace {

std::vector<int> SpokenMinutes(const std::wstring& interval) {
  std::vector<int> minutes;
  for (int m = 0; m < 60; ++m)
    if (ClockSpeaksAt(m, interval)) minutes.push_back(m);
  return minutes;
}

TEST(Clock, SpeaksAtTheMultiplesOfTheInterval) {
  EXPECT_EQ(SpokenMinutes(L"15"), (std::vector<int>{0, 15, 30, 45}));
  EXPECT_EQ(SpokenMinutes(L"1").size(), 60u);
  EXPECT_EQ(SpokenMinutes(L"60"), std::vector<int>{0});
  EXPECT_EQ(SpokenMinutes(L"999"), std::vector<int>{0});
  EXPECT_EQ(SpokenMinutes(L"7").back(), 56);
}

TEST(Clock, AnIntervalMeaningZeroReadsAsOneInsteadOfDividingByZero) {
  for (const wchar_t* zero : {L"", L"0", L"00", L"abc", L" "}) EXPECT_EQ(SpokenMinutes(zero).size(), 60u) << zero;
}

TEST(Clock, TheTimeIsTwoDigitHoursAndMinutes) {
  EXPECT_EQ(ClockText(9, 5), L"09:05");
  EXPECT_EQ(ClockText(23, 59), L"23:59");
  EXPECT_EQ(ClockText(0, 0), L"00:00");
}

TEST(Interval, OnlyDigitsAreTyped) {
  for (wchar_t c : std::wstring(L"0123456789")) EXPECT_TRUE(IntervalTakesChar(c));
  for (int32_t c : {8, 13, 32, int32_t{L'a'}, int32_t{L'-'}, int32_t{L'.'}}) EXPECT_FALSE(IntervalTakesChar(c)) << c;
}

TEST(Interval, ValidationStoresTheNumberAndNeverZero) {
  EXPECT_EQ(FixedInterval(L"015"), L"15");
  EXPECT_EQ(FixedInterval(L"15"), L"15");
  EXPECT_EQ(FixedInterval(L"0"), L"1");
  EXPECT_EQ(FixedInterval(L""), L"1");
  EXPECT_EQ(FixedInterval(L"00"), L"1");
  EXPECT_EQ(FixedInterval(L"x5"), L"1");
  EXPECT_EQ(FixedInterval(L"999"), L"999");
}

class GeneralOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { InitialiseGlobals(); }
  FakeOptionsView view;
  RecordingSpeaker speaker;
  GeneralOptions options{view, speaker};
};

TEST_F(GeneralOptionsTest, SpeakNowSwitchesTheFieldAndTheTimer) {
  options.SetChecked(Option::kSpeakNow, true);
  EXPECT_EQ(SpeakNow, 1);
  EXPECT_TRUE(view.timerEnabled);
  EXPECT_TRUE(view.intervalEnabled);
  options.SetChecked(Option::kSpeakNow, false);
  EXPECT_EQ(SpeakNow, 0);
  EXPECT_FALSE(view.timerEnabled);
  EXPECT_FALSE(view.intervalEnabled);
}

TEST_F(GeneralOptionsTest, SettingTheValueAlreadyShownRunsNoHandler) {
  SpellCapital = 5;
  options.SetChecked(Option::kSpellCapital, false);
  EXPECT_EQ(SpellCapital, 5);
  options.SetChecked(Option::kSpellCapital, true);
  EXPECT_EQ(SpellCapital, 1);
  options.SetChecked(Option::kSpeakSelected, true);
  EXPECT_EQ(SpeakSelected, 1);
}

TEST_F(GeneralOptionsTest, LeavingTheFieldFixesAndStoresIt) {
  view.interval = L"015";
  options.IntervalValidate();
  EXPECT_EQ(SpeakNowInterval, L"15");
  EXPECT_EQ(view.interval, L"15");
  view.interval = L"";
  options.IntervalValidate();
  EXPECT_EQ(SpeakNowInterval, L"1");
  EXPECT_EQ(view.interval, L"1");
}

TEST_F(GeneralOptionsTest, ATickSpeaksTheTimeOnlyInMatchingMinutes) {
  view.interval = L"15";
  options.ClockTick(9, 5);
  options.ClockTick(9, 15);
  view.interval = L"00";
  options.ClockTick(14, 7);
  EXPECT_EQ(speaker.spoken, (std::vector<std::wstring>{L"09:15", L"14:07"}));
}

TEST_F(GeneralOptionsTest, TheNaturalReadingBoxSetsItsGlobal) {
  NaturalReading = 0;
  options.SetChecked(Option::kNaturalReading, true);
  EXPECT_EQ(NaturalReading, 1);
  options.SetChecked(Option::kNaturalReading, false);
  EXPECT_EQ(NaturalReading, 0);
  const ControlLayout* box = FindLayout(kIdNaturalReading);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(std::wstring(box->caption), L"Czytaj naturalnie (odmiana liczb, daty, skróty)");
  EXPECT_EQ(box->page, Page::kGeneral);
}

}  // namespace
}  // namespace mowik::test
