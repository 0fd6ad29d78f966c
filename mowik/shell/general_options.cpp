#include "mowik/shell/general_options.h"

#include <cstdio>

#include "mowik/program/main_module.h"
#include "mowik/program/leading_number.h"

namespace mowik {

bool IntervalTakesChar(int32_t ch) { return ch >= L'0' && ch <= L'9'; }

std::wstring FixedInterval(std::wstring_view text) {
  const int32_t minutes = LeadingWholeNumber(text);
  return std::to_wstring(minutes >= 1 ? minutes : 1);
}

bool ClockSpeaksAt(int32_t minute, std::wstring_view intervalText) {
  int32_t interval = LeadingWholeNumber(intervalText);
  if (interval < 1) interval = 1;
  return minute % interval == 0;
}

std::wstring ClockText(int32_t hour, int32_t minute) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%02d:%02d", hour, minute);
  return text;
}

void GeneralOptions::SetChecked(Option option, bool checked) {
  if (view_.Checked(option) == checked) return;
  view_.SetChecked(option, checked);
  CheckChanged(option);
}

void GeneralOptions::SetIntervalText(const std::wstring& text) { view_.SetIntervalText(text); }

void GeneralOptions::CheckChanged(Option option) {
  const int16_t value = view_.Checked(option) ? 1 : 0;
  switch (option) {
    case Option::kSpeakSelected:
      SpeakSelected = value;
      break;
    case Option::kSpellCapital:
      SpellCapital = value;
      break;
    case Option::kHotPlayStops:
      HotPlayStops = value;
      break;
    case Option::kNaturalReading:
      NaturalReading = value;
      break;
    case Option::kSpeakNow:
      SpeakNow = value;
      view_.EnableIntervalField(value != 0);
      view_.EnableClockTimer(value != 0);
      break;
  }
}

void GeneralOptions::IntervalValidate() {
  const std::wstring fixed = FixedInterval(view_.IntervalText());
  if (view_.IntervalText() != fixed) view_.SetIntervalText(fixed);
  SpeakNowInterval = fixed;
}

void GeneralOptions::ClockTick(int32_t hour, int32_t minute) {
  if (ClockSpeaksAt(minute, view_.IntervalText())) speaker_.Speak(ClockText(hour, minute));
}

}  // namespace mowik
