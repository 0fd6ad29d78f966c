#include "sapi/speaker_settings.h"

#include <cstdint>
#include <vector>

#include "mowik/platform/program_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/voice_profile.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/settings/property_bag_class.h"

namespace mowik {

SpeakerSettings LoadSpeakerSettings(const std::wstring& folder) {
  SpeakerSettings settings;
  // Screen-reader users hear every number: natural reading unless the file says otherwise.
  settings.natural = true;
  const FixedFolder place(folder);
  std::vector<uint8_t> bytes;
  // LoadSettings stores the defaults when there is no file, and a repaired copy of a damaged
  // one; the voice is the reader's guest and never writes, so it loads only a sound file.
  PropertyBagClass probe;
  if (probe.LoadFromFile(SettingsPath(place), bytes) == PropertyBagClass::FileLoad::kRead) {
    const LoadedSettings loaded = LoadSettings(place);
    if (loaded.chosenVoice >= 0) {
      // The reader's reading of the chosen profile's cells; the voice speaks at its own rate.
      const TableModel& voices = VoicesTable();
      const int32_t row = loaded.chosenVoice + 1;
      const std::wstring pitch = voices.CellText(row, 2), duration = voices.CellText(row, 3);
      const VoiceRatios ratios = RatiosOfCells({pitch, duration, {}});
      settings.pitchRatio = ratios.pitch;
      settings.durationRatio = ratios.duration;
    }
    settings.dictionary = &DictionaryTable();
    if (!IsEmpty(probe.ReadProperty(L"NaturalReading"))) settings.natural = NaturalReading != 0;
  }
  settings.spellCapital = SpellCapital != 0;
  return settings;
}

}  // namespace mowik
