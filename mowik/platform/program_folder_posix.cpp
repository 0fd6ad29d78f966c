#include <filesystem>
#include <system_error>

#include "mowik/platform/posix_path.h"
#include "mowik/platform/program_folder.h"

namespace mowik {

std::wstring ExecutableFolder::Path() const {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return WidePath(exe.parent_path().native());
}

}  // namespace mowik
