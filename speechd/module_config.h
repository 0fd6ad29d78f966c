#pragma once
// The module's configuration file, mowik.conf, which speech-dispatcher names when it starts
// the module. dotconf lines: a name, blanks, a value (quotes optional); "#" starts a comment.
//   MowikVoice "pl1"                 the voice database
//   MowikVoiceFolder "/usr/share/mowik"  where it lies (default: beside the module, then
//                                    ../../share/mowik from it, as the package installs it)
//   MowikUserSettings 1              read ~/.config/mowik/mowiksets.conf (0: ignore it)
//   MowikNaturalReading 1            natural reading (where Mowik has it)
//   MowikLogFile "/path"             append every spoken sentence and its phonemes there
// Other names (speech-dispatcher's own, such as AddVoice or Debug) are left alone.

#include <string>
#include <string_view>
#include <vector>

namespace mowik::speechd {

struct ModuleConfig {
  std::string voice = "pl1";
  std::string voiceFolder;
  bool userSettings = true;
  bool naturalReading = true;
  std::string logFile;
};

// Reads the file's text; problems (a Mowik setting without a value, a switch that is not 0
// or 1) are added to warnings, and the setting keeps its default.
ModuleConfig ParseModuleConfig(std::string_view text, std::vector<std::string>& warnings);

}  // namespace mowik::speechd
