#include "sapi/speaker_settings.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "mowik/platform/program_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/voice_profile.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/settings/property_bag_class.h"
#include "sapi/sentence_plan.h"

namespace mowik {
namespace {

int32_t NumberOr(const std::wstring& text, int32_t fallback, int32_t lo, int32_t hi) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (end == text.c_str() || value < lo || value > hi) return fallback;
  return static_cast<int32_t>(value);
}

// The settings window's part in the load: only the chosen profile matters here.
class ProfileChoice : public SettingsView {
 public:
  void ClearVoiceList() override {}
  void AddVoiceListEntry(const std::wstring&) override {}
  void ShowSpeakSelected(int16_t) override {}
  void ShowSpeakNow(int16_t) override {}
  void ShowSpellCapital(int16_t) override {}
  void ShowSpeakNowInterval(const std::wstring&) override {}
  void SelectVoice(int32_t index) override {
    const TableModel& voices = VoicesTable();
    const int32_t row = index + 1;
    if (index < 0 || row > voices.Rows()) return;
    // The limits mowik-say takes; a value outside them keeps the default.
    profile.pitch = NumberOr(voices.CellText(row, 2), 100, 15, 400);
    profile.duration = NumberOr(voices.CellText(row, 3), 10, 3, 18);
    chosen = true;
  }
  VoiceProfile profile;
  bool chosen = false;
};

}  // namespace

SpeakerSettings LoadSpeakerSettings(const std::wstring& folder) {
  std::lock_guard lock(FrontEndMutex());
  SpeakerSettings settings;
  // Screen-reader users hear every number: natural reading unless the file says otherwise.
  settings.natural = true;
  const FixedFolder place(folder);
  std::vector<uint8_t> bytes;
  // LoadSettings stores the defaults when there is no file, and a repaired copy of a damaged
  // one; the voice is the reader's guest and never writes, so it loads only a sound file.
  PropertyBagClass probe;
  if (probe.LoadFromFile(SettingsPath(place), bytes) == PropertyBagClass::FileLoad::kRead) {
    ProfileChoice view;
    LoadSettings(place, view);
    if (view.chosen) {
      settings.pitchRatio = view.profile.pitch / 100.0;
      settings.durationRatio = view.profile.duration / 10.0;
    }
    settings.dictionary = &DictionaryTable();
    if (!IsEmpty(probe.ReadProperty(L"NaturalReading"))) settings.natural = NaturalReading != 0;
  }
  settings.spellCapital = SpellCapital != 0;
  return settings;
}

}  // namespace mowik
