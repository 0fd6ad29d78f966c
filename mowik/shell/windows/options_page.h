#pragma once
// The "Ogólne" tab as the options' handler sees it: the check boxes, the clock's interval
// and its timer; and the four hot-key controls, shown from and read back into the stored
// codes. Windows only.
#include <optional>

#include "mowik/shell/general_options.h"
#include "mowik/shell/windows/window_controls.h"

namespace mowik {

// The window's timer that ticks the clock once a minute.
inline constexpr UINT_PTR kClockTimer = 1;

class OptionsPage final : public OptionsView {
 public:
  explicit OptionsPage(WindowControls& controls) : controls_(controls) {}

  bool Checked(Option option) const override;
  void SetChecked(Option option, bool checked) override;
  std::wstring IntervalText() const override;
  void SetIntervalText(const std::wstring& text) override;
  void EnableIntervalField(bool enabled) override;
  void EnableClockTimer(bool enabled) override;

  // The option a check box stands for, by its identifier.
  static std::optional<Option> OptionOfControl(int32_t id);
  // The stored keys into the hot-key controls, and what the controls hold back into them.
  void ShowHotKeys();
  void ReadHotKeys();

 private:
  WindowControls& controls_;
};

}  // namespace mowik
