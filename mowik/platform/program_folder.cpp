#include "mowik/platform/program_folder.h"

namespace mowik {

std::wstring FileInFolder(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;  // no folder known: the current one
  if (folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + kPathSeparator + name;
}

}  // namespace mowik
