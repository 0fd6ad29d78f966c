#pragma once
// ManageSettings: the settings file "mowiksets.conf" in the program's folder, over the
// globals of MainModule, the voice table (name, pitch, duration, frequency) and the
// dictionary table (find, replace). The file is written compressed; keys, in order:
//   SpellCapital, CurrentVoice, SpeakSelected, SpeakNow (16-bit), SpeakNowInterval (text),
//   HotPlay, HotPause, HotStop, HotNow (32-bit: bits 0-7 the virtual key, bits 8-11 the
//   modifiers as RegisterHotKey takes them, Alt 1, Ctrl 2, Shift 4, Win 8; 0 the default,
//   Ctrl+Shift+C for HotPlay and none for the others; -1 none),
//   VoiceCount (32-bit; 16-bit 1 when the table has at most one row), then per profile n
//   VoiceName<n>, VoicePitch<n>, VoiceDuration<n>, VoiceFrequency<n> (text),
//   DictCount (32-bit), then per entry n DictFrom<n>, DictTo<n> (text),
//   HotPlayStops (16-bit, 0 or 1; 0 when a file from before it lacks it), then NaturalReading
//   (16-bit), written only when it is on or the file that was loaded held it; a missing key
//   reads 0.

#include <cstdint>
#include <string>

#include "mowik/platform/program_folder.h"
#include "mowik/settings/settings_view.h"

namespace mowik {

inline constexpr wchar_t kSettingsFileName[] = L"mowiksets.conf";

// The settings file's path in the folder.
std::wstring SettingsPath(const ProgramFolder& folder);

// The first-run values of the globals; the tables are not touched.
void SetDefaultSettings();

// The copy of a damaged settings file that LoadSettings keeps: "mowiksets.conf.bad".
std::wstring DamagedSettingsPath(const ProgramFolder& folder);

// Writes the globals, the default profile under number 1, the voice table's rows from
// number 1 (so an edited row 1 wins) and the dictionary to the file, replacing it in one
// step. True when stored; on failure the old file stays as it was (the platform's last
// error tells why).
bool SaveSettings(const ProgramFolder& folder);

// What LoadSettings found. In every case the settings in effect are sound; all but kRead and
// kCreated are worth telling the user.
enum class SettingsLoad {
  kRead,              // the file, as stored
  kCreated,           // no file (or an empty one): the defaults, now stored
  kDefaultsInMemory,  // no file, and none can be stored (a folder without write access): the
                      // defaults, in memory only
  kNotRead,           // a file that cannot be opened (no permission, held open by another
                      // program) or is too large: the defaults in memory, the file untouched
  kDamaged,           // a damaged file: kept as mowiksets.conf.bad, then replaced by what it
                      // still held, the defaults standing in for the rest
  kDamagedNotStored,  // the same in memory, but no copy could be kept: the file untouched
};

// Reads the file into the globals and the two tables and shows the values in the view. A
// missing or empty file is replaced by the defaults (with whatever the tables hold); an
// existing file is never written over unless a copy of it was kept first. Keys missing from
// a sound file read as 0 or empty text, so a stored count gives that many rows even where
// their keys are missing; beyond 65535 rows, though, no more rows than the file holds row
// keys (a damaged count cannot add millions).
SettingsLoad LoadSettings(const ProgramFolder& folder, SettingsView& view);

// The same load for a reader of the settings with no window (the SAPI voice): the globals and
// the tables as above, and what the view would be shown returned as a value.
struct LoadedSettings {
  SettingsLoad result = SettingsLoad::kRead;
  int32_t chosenVoice = -1;  // the profile in use, a voice table row - 1; -1 with no profiles
};
LoadedSettings LoadSettings(const ProgramFolder& folder);

}  // namespace mowik
