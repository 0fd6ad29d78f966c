#include "mowik/shell/windows/options_page.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "mowik/shell/hot_keys.h"
#include "mowik/shell/layout_table.h"

namespace mowik {
namespace {

constexpr UINT kClockMilliseconds = 60000;

constexpr std::array<std::pair<Option, int32_t>, 5> kOptionControls = {{
    {Option::kSpeakSelected, kIdSpeakSelected},
    {Option::kSpeakNow, kIdSpeakNow},
    {Option::kSpellCapital, kIdSpellCapital},
    {Option::kHotPlayStops, kIdHotPlayStops},
    {Option::kNaturalReading, kIdNaturalReading},
}};

int32_t ControlOfOption(Option option) {
  for (const auto& [each, id] : kOptionControls)
    if (each == option) return id;
  return kIdSpellCapital;
}

int32_t HotKeyControl(HotKeyAction action) { return kIdHotKey0 + 2 * static_cast<int32_t>(action); }

}  // namespace

std::optional<Option> OptionsPage::OptionOfControl(int32_t id) {
  for (const auto& [option, each] : kOptionControls)
    if (each == id) return option;
  return std::nullopt;
}

bool OptionsPage::Checked(Option option) const {
  return controls_.Send(ControlOfOption(option), BM_GETCHECK) == BST_CHECKED;
}
void OptionsPage::SetChecked(Option option, bool checked) {
  controls_.Send(ControlOfOption(option), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}
std::wstring OptionsPage::IntervalText() const { return controls_.TextOf(kIdInterval); }
void OptionsPage::SetIntervalText(const std::wstring& text) { controls_.SetTextQuietly(kIdInterval, text); }
void OptionsPage::EnableIntervalField(bool enabled) { controls_.Enable(kIdInterval, enabled); }
void OptionsPage::EnableClockTimer(bool enabled) {
  if (enabled)
    SetTimer(controls_.Window(), kClockTimer, kClockMilliseconds, nullptr);
  else
    KillTimer(controls_.Window(), kClockTimer);
}

void OptionsPage::ShowHotKeys() {
  for (HotKeyAction action : kHotKeyActions) {
    const uint16_t word = ControlWordOf(StoredHotKey(action, StoredHotKeyCode(action)));
    controls_.Send(HotKeyControl(action), HKM_SETHOTKEY, word);
  }
}

void OptionsPage::ReadHotKeys() {
  for (HotKeyAction action : kHotKeyActions) {
    const auto word = static_cast<uint16_t>(controls_.Send(HotKeyControl(action), HKM_GETHOTKEY));
    StoredHotKeyCode(action) = StoredCode(action, HotKeyFromControl(word));
  }
}

}  // namespace mowik
