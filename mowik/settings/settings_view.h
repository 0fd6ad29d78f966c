#pragma once
// SettingsView: the controls of the settings window that LoadSettings fills. The window
// implements it; a value set here raises the same change handling as a change by the user.

#include <cstdint>
#include <string>

namespace mowik {

class SettingsView {
 public:
  virtual ~SettingsView() = default;
  // The voice list cmbVoice: emptied, then one entry per voice profile in row order.
  virtual void ClearVoiceList() = 0;
  virtual void AddVoiceListEntry(const std::wstring& name) = 0;
  // The check boxes (non-zero is checked) and the clock interval box.
  virtual void ShowSpeakSelected(int16_t state) = 0;
  virtual void ShowSpeakNow(int16_t state) = 0;
  virtual void ShowSpellCapital(int16_t state) = 0;
  virtual void ShowSpeakNowInterval(const std::wstring& minutes) = 0;
  // The natural reading check box; views without one ignore it.
  virtual void ShowNaturalReading(int16_t /*state*/) {}
  // Selects entry index (from 0) of the voice list, which applies that profile; -1 selects
  // none. Always an index of the list or -1.
  virtual void SelectVoice(int32_t index) = 0;
};

}  // namespace mowik
