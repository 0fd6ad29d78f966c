#include "mowik/output/program_folder.h"

namespace mowik {

std::wstring FileInFolder(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
  return folder + kPathSeparator + name;
}

}  // namespace mowik
