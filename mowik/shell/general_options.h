#pragma once
// The options of the tab "Ogólne": reading the clock every so many minutes, spelling capital
// words, natural reading, reading selected text (stored only), and the clock timer's tick. The handlers are
// portable; the window binds them to its controls and its one-minute timer.

#include <cstdint>
#include <string>
#include <string_view>

#include "mowik/shell/speaker.h"

namespace mowik {

enum class Option { kSpeakSelected, kSpeakNow, kSpellCapital, kHotPlayStops, kNaturalReading };
// How many options there are (the last one's number + 1), for tables indexed by them.
inline constexpr int kOptionCount = static_cast<int>(Option::kNaturalReading) + 1;

// The controls as the handlers see them. Setters are raw: they run no handler.
class OptionsView {
 public:
  virtual ~OptionsView() = default;
  virtual bool Checked(Option option) const = 0;
  virtual void SetChecked(Option option, bool checked) = 0;
  virtual std::wstring IntervalText() const = 0;
  virtual void SetIntervalText(const std::wstring& text) = 0;
  virtual void EnableIntervalField(bool enabled) = 0;
  // The one-minute clock timer.
  virtual void EnableClockTimer(bool enabled) = 0;
};

// Whether a character typed into the interval field is kept: digits only (so Backspace,
// which arrives as a character, is dropped too).
bool IntervalTakesChar(int32_t ch);

// The interval as it is stored when the field is left: its leading number written back
// («015» gives «15»); a text that means no minutes at all (empty, «0», «00», no leading digit)
// gives «1», so the clock can never be asked to divide by zero.
std::wstring FixedInterval(std::wstring_view text);

// Whether a tick in minute (0 to 59) speaks the time, for the interval field's text: when the
// minute is a multiple of the interval (an interval of 60 or more: minute 0 only). A text that
// means zero minutes reads as 1.
bool ClockSpeaksAt(int32_t minute, std::wstring_view intervalText);

// The time as the clock speaks it: «09:05».
std::wstring ClockText(int32_t hour, int32_t minute);

class GeneralOptions {
 public:
  GeneralOptions(OptionsView& view, Speaker& speaker) : view_(view), speaker_(speaker) {}

  // What the program sets (the settings load), with the handler run exactly when the value
  // changes.
  void SetChecked(Option option, bool checked);
  void SetIntervalText(const std::wstring& text);

  // Handlers.
  // A check box changed: its global follows; "Czytaj godzinę co" also switches the interval
  // field and the timer.
  void CheckChanged(Option option);
  // The interval field is left: fixed and stored in SpeakNowInterval.
  void IntervalValidate();
  // The clock timer ticked at this local time.
  void ClockTick(int32_t hour, int32_t minute);

 private:
  OptionsView& view_;
  Speaker& speaker_;
};

}  // namespace mowik
