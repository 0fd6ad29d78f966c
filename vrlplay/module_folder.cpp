#include "vrlplay/module_folder.h"

#include <windows.h>

namespace mowik {

void* OwnModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModuleInstance), &module);
  return module;
}

std::string OwnModuleFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(OwnModuleInstance()), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace mowik
