#include <windows.h>

#include <vector>

#include "mowik/platform/program_folder.h"

namespace mowik {

std::wstring ExecutableFolder::Path() const {
  // GetModuleFileNameW truncates silently when the buffer is short: grow until it fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      const size_t slash = path.find_last_of(L"\\/");
      if (slash == std::wstring::npos) return {};
      return path.substr(0, slash);
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace mowik
