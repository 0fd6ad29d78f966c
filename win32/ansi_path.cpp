#include "win32/ansi_path.h"

#include <windows.h>

#include <vector>

#include "win32/ansi_text.h"
#include "win32/scoped_handle.h"

namespace mowik::win32 {

std::string AnsiPathTo(const std::wstring& path) {
  std::string ansi = AnsiFromWide(path);
  if (!path.empty() && WideFromAnsi(ansi) == path) return ansi;

  bool created = false;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ScopedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    created = true;
  }
  std::vector<wchar_t> shortPath(MAX_PATH);
  DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  if (n >= shortPath.size()) {
    shortPath.resize(n + 1);
    n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  }
  const std::wstring shortName(shortPath.data(), n < shortPath.size() ? n : 0);
  ansi = AnsiFromWide(shortName);
  if (!shortName.empty() && WideFromAnsi(ansi) == shortName) return ansi;
  if (created) DeleteFileW(path.c_str());
  return {};
}

}  // namespace mowik::win32
