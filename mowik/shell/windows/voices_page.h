#pragma once
// The "Profile głosowe" tab as the voice profiles' handler sees it: the sliders, the name field, the
// voice list and the profiles table. Windows only.
#include "mowik/shell/voice_profiles.h"
#include "mowik/shell/windows/list_table.h"
#include "mowik/shell/windows/window_controls.h"

namespace mowik {

class VoicesPage final : public VoiceProfilesView {
 public:
  VoicesPage(WindowControls& controls, ListTable& table) : controls_(controls), table_(table) {}

  int32_t SliderValue(int index) const override;
  void SetSliderValue(int index, int32_t value) override;
  std::wstring VoiceNameText() const override;
  void SetVoiceNameText(const std::wstring& text) override;
  void FocusVoiceNameAllSelected() override;
  void EnableSaveVoice(bool enabled) override;
  void ShowVoicesTable() override { table_.Refresh(); }
  int32_t VoiceListSelection() const override;
  void SetVoiceListSelection(int32_t index) override;
  void ClearVoiceList() override;
  void AddVoiceListEntry(const std::wstring& name) override;

  // The sliders' ranges and first positions, and the list's first entry; once, at creation.
  void Prepare();
  // Which slider this is (0 pitch, 1 speed, 2 frequency), or -1.
  int SliderIndex(HWND slider) const;

 private:
  WindowControls& controls_;
  ListTable& table_;
};

}  // namespace mowik
