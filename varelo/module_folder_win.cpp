#include <windows.h>

#include <string>

#include "varelo/module_folder.h"

namespace mowik {

std::string EngineFolder() {
  HMODULE module = nullptr;
  // The module that contains this very function: the DLL when the engine is one.
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&EngineFolder), &module))
    return {};
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  const std::string file(path, n);
  const size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

}  // namespace mowik
