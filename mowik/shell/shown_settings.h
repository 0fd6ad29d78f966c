#pragma once
// The settings load's view of the window: each value it shows goes through the handlers'
// "set by the program" entry, so the handler runs exactly when the control's value changes.

#include "mowik/settings/settings_view.h"
#include "mowik/shell/general_options.h"
#include "mowik/shell/voice_profiles.h"

namespace mowik {

class ShownSettings final : public SettingsView {
 public:
  ShownSettings(VoiceProfiles& profiles, VoiceProfilesView& profilesView, GeneralOptions& options)
      : profiles_(profiles), profilesView_(profilesView), options_(options) {}

  void ClearVoiceList() override { profilesView_.ClearVoiceList(); }
  void AddVoiceListEntry(const std::wstring& name) override { profilesView_.AddVoiceListEntry(name); }
  void ShowSpeakSelected(int16_t state) override { options_.SetChecked(Option::kSpeakSelected, state != 0); }
  void ShowSpeakNow(int16_t state) override { options_.SetChecked(Option::kSpeakNow, state != 0); }
  void ShowSpellCapital(int16_t state) override { options_.SetChecked(Option::kSpellCapital, state != 0); }
  void ShowSpeakNowInterval(const std::wstring& minutes) override { options_.SetIntervalText(minutes); }
  void ShowNaturalReading(int16_t state) override { options_.SetChecked(Option::kNaturalReading, state != 0); }
  void SelectVoice(int32_t index) override { profiles_.SelectVoice(index); }

 private:
  VoiceProfiles& profiles_;
  VoiceProfilesView& profilesView_;
  GeneralOptions& options_;
};

}  // namespace mowik
