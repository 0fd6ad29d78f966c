#include "tools/voice_folder.h"

#include <filesystem>
#include <system_error>

#include "varelo/module_folder.h"

namespace mowik {

std::string VoiceFolder(const std::string& database) {
  const std::string beside = EngineFolder();
  const std::string candidates[] = {beside, beside + "/../share/mowik", beside + "/../../share/mowik", "/usr/share/mowik"};
  for (const std::string& folder : candidates) {
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_regular_file(std::filesystem::path(folder) / database, error))
      return folder;
  }
  return beside;
}

}  // namespace mowik
