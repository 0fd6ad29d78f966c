#include "mowik/settings/manage_settings.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "mowik/platform/file_store.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/trimmed_text.h"
#include "mowik/settings/property_bag_class.h"

namespace mowik {
namespace {

// The four keys of a voice profile, in the order they are written and read; column k + 1 of
// the voice table holds key k.
constexpr const wchar_t* kVoiceKeys[] = {L"VoiceName", L"VoicePitch", L"VoiceDuration", L"VoiceFrequency"};
constexpr const wchar_t* kDefaultVoice[] = {L"<domy\u015Blny g\u0142os>", L"100", L"10", L"16000"};
constexpr const wchar_t* kDictKeys[] = {L"DictFrom", L"DictTo"};

std::wstring Numbered(const wchar_t* key, int32_t n) { return key + TrimmedText(n); }

// Counts up to this many rows are read as they stand, rows without keys coming out empty.
constexpr int64_t kRowsAlwaysRead = 65535;

// How many keys of the bag are one of the keys followed by a number.
int64_t NumberedKeysHeld(const PropertyBagClass& bag, std::span<const wchar_t* const> keys) {
  int64_t held = 0;
  for (const auto& [name, value] : bag.Bag().Entries()) {
    for (const wchar_t* key : keys) {
      const std::wstring_view prefix(key);
      if (name.size() > prefix.size() && name.starts_with(prefix) &&
          std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                      [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        ++held;
    }
  }
  return held;
}

// How many numbered rows to read for a stored count. Every row of a file we wrote has keys of
// its own in the bag, so a larger count than the bag has row keys can only come from a
// damaged or hostile file, and is not allowed to make the load add millions of empty rows.
// Whether the last file loaded held NaturalReading: once it did, the key is always written, so
// that turning natural reading off is stored as 0 rather than left to a reader's default.
bool naturalReadingHeld = false;

int32_t RowsToRead(const PropertyBagClass& bag, const wchar_t* countKey, std::span<const wchar_t* const> keys) {
  const int32_t count = AsInt32(bag.ReadProperty(countKey));
  if (count <= kRowsAlwaysRead) return std::max(count, 0);
  return static_cast<int32_t>(std::min<int64_t>(count, std::max(kRowsAlwaysRead, NumberedKeysHeld(bag, keys))));
}

}  // namespace

std::wstring SettingsPath(const ProgramFolder& folder) { return FileInFolder(folder.Path(), kSettingsFileName); }

void SetDefaultSettings() {
  CurrentVoice = 0;
  HotPlay = 0;
  HotPause = 0;
  HotStop = 0;
  HotNow = 0;
  HotPlayStops = 0;
  SpeakNow = 0;
  SpeakNowInterval = L"15";
  SpeakSelected = 0;
  SpellCapital = 1;
  NaturalReading = 0;
}

namespace {

// The bag that SaveSettings stores: the globals and the two tables as they are now.
PropertyBagClass CurrentSettings() {
  PropertyBagClass bag;
  bag.WriteProperty(L"SpellCapital", SpellCapital);
  bag.WriteProperty(L"CurrentVoice", CurrentVoice);
  bag.WriteProperty(L"SpeakSelected", SpeakSelected);
  bag.WriteProperty(L"SpeakNow", SpeakNow);
  bag.WriteProperty(L"SpeakNowInterval", SpeakNowInterval);
  bag.WriteProperty(L"HotPlay", HotPlay);
  bag.WriteProperty(L"HotPause", HotPause);
  bag.WriteProperty(L"HotStop", HotStop);
  bag.WriteProperty(L"HotNow", HotNow);

  const TableModel& voices = VoicesTable();
  if (voices.Rows() > 1)
    bag.WriteProperty(L"VoiceCount", voices.Rows());
  else
    bag.WriteProperty(L"VoiceCount", int16_t{1});
  // The default profile always goes under number 1; an edited row 1 of the table then
  // replaces it, since the bag keeps the last value written.
  for (int k = 0; k < 4; ++k) bag.WriteProperty(Numbered(kVoiceKeys[k], 1), std::wstring(kDefaultVoice[k]));
  for (int32_t n = 1; n <= voices.Rows(); ++n)
    for (int k = 0; k < 4; ++k) bag.WriteProperty(Numbered(kVoiceKeys[k], n), voices.CellText(n, k + 1));

  const TableModel& dictionary = DictionaryTable();
  bag.WriteProperty(L"DictCount", dictionary.Rows());
  for (int32_t n = 1; n <= dictionary.Rows(); ++n)
    for (int k = 0; k < 2; ++k) bag.WriteProperty(Numbered(kDictKeys[k], n), dictionary.CellText(n, k + 1));
  // Keys added since: after the first version's, which older versions read alone.
  bag.WriteProperty(L"HotPlayStops", HotPlayStops);
  if (NaturalReading != 0 || naturalReadingHeld) bag.WriteProperty(L"NaturalReading", NaturalReading);
  return bag;
}

// The bag in effect when the file gives none: every value that could still be read from a
// damaged file, and the defaults (with whatever the tables hold) for the rest. The defaults
// go into the readable bag, not the other way round, so that a large one is not copied.
PropertyBagClass DefaultSettings(PropertyBagClass readable = {}) {
  SetDefaultSettings();
  const PropertyBagClass defaults = CurrentSettings();
  if (readable.Bag().Count() == 0) return defaults;
  for (const auto& [name, value] : defaults.Bag().Entries())
    if (IsEmpty(readable.ReadProperty(name))) readable.WriteProperty(name, value);
  return readable;
}

bool Store(const PropertyBagClass& bag, const std::wstring& path) { return bag.SaveToFile(path, true, true); }

}  // namespace

std::wstring DamagedSettingsPath(const ProgramFolder& folder) { return SettingsPath(folder) + L".bad"; }

bool SaveSettings(const ProgramFolder& folder) { return Store(CurrentSettings(), SettingsPath(folder)); }

LoadedSettings LoadSettings(const ProgramFolder& folder) {
  const std::wstring path = SettingsPath(folder);
  PropertyBagClass bag;
  std::vector<uint8_t> fileBytes;
  SettingsLoad result = SettingsLoad::kRead;
  switch (bag.LoadFromFile(path, fileBytes)) {
    case PropertyBagClass::FileLoad::kRead:
      break;
    case PropertyBagClass::FileLoad::kMissing:
    case PropertyBagClass::FileLoad::kEmpty:
      // Nothing to lose: the defaults become the file, or stay in effect when it cannot be
      // written (an install under Program Files).
      bag = DefaultSettings();
      result = Store(bag, path) ? SettingsLoad::kCreated : SettingsLoad::kDefaultsInMemory;
      break;
    case PropertyBagClass::FileLoad::kUnreadable:
      // Someone else's lock or a permission is no reason to lose the user's settings.
      bag = DefaultSettings();
      result = SettingsLoad::kNotRead;
      break;
    case PropertyBagClass::FileLoad::kDamaged: {
      bag = DefaultSettings(std::move(bag));
      const bool kept = ReplaceFileContents(DamagedSettingsPath(folder), fileBytes);
      result = kept && Store(bag, path) ? SettingsLoad::kDamaged : SettingsLoad::kDamagedNotStored;
      break;
    }
  }

  SpellCapital = AsInt16(bag.ReadProperty(L"SpellCapital"));
  CurrentVoice = AsInt16(bag.ReadProperty(L"CurrentVoice"));
  SpeakSelected = AsInt16(bag.ReadProperty(L"SpeakSelected"));
  SpeakNow = AsInt16(bag.ReadProperty(L"SpeakNow"));
  SpeakNowInterval = AsText(bag.ReadProperty(L"SpeakNowInterval"));
  HotPlay = AsInt32(bag.ReadProperty(L"HotPlay"));
  HotPause = AsInt32(bag.ReadProperty(L"HotPause"));
  HotStop = AsInt32(bag.ReadProperty(L"HotStop"));
  HotNow = AsInt32(bag.ReadProperty(L"HotNow"));
  HotPlayStops = AsInt16(bag.ReadProperty(L"HotPlayStops"));  // 0 in files from before it
  naturalReadingHeld = !IsEmpty(bag.ReadProperty(L"NaturalReading"));
  NaturalReading = AsInt16(bag.ReadProperty(L"NaturalReading"));

  TableModel& voices = VoicesTable();
  const int32_t voiceCount = RowsToRead(bag, L"VoiceCount", kVoiceKeys);
  voices.Clear();
  for (int32_t n = 1; n <= voiceCount; ++n) {
    const int32_t row = voices.AddRow();
    for (int k = 0; k < 4; ++k) voices.SetCellText(row, k + 1, AsText(bag.ReadProperty(Numbered(kVoiceKeys[k], n))));
  }

  TableModel& dictionary = DictionaryTable();
  const int32_t dictCount = RowsToRead(bag, L"DictCount", kDictKeys);
  dictionary.Clear();
  for (int32_t n = 1; n <= dictCount; ++n) {
    const int32_t row = dictionary.AddRow();
    for (int k = 0; k < 2; ++k) dictionary.SetCellText(row, k + 1, AsText(bag.ReadProperty(Numbered(kDictKeys[k], n))));
  }

  // A stored index beyond the list (profiles removed before the save, or a damaged file)
  // falls back to the first profile, the default one; with no profiles nothing is chosen.
  const bool valid = CurrentVoice >= 0 && CurrentVoice < voiceCount;
  return {result, valid ? CurrentVoice : (voiceCount > 0 ? 0 : -1)};
}

SettingsLoad LoadSettings(const ProgramFolder& folder, SettingsView& view) {
  const LoadedSettings loaded = LoadSettings(folder);
  const TableModel& voices = VoicesTable();
  view.ClearVoiceList();
  for (int32_t row = 1; row <= voices.Rows(); ++row) view.AddVoiceListEntry(voices.CellText(row, 1));
  view.ShowSpeakSelected(SpeakSelected);
  view.ShowSpeakNow(SpeakNow);
  view.ShowSpellCapital(SpellCapital);
  view.ShowNaturalReading(NaturalReading);
  view.ShowSpeakNowInterval(SpeakNowInterval);
  view.SelectVoice(loaded.chosenVoice);
  return loaded.result;
}

}  // namespace mowik
