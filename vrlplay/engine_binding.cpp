#include "vrlplay/engine_binding.h"

#include <windows.h>

#include "win32/module_folder.h"

namespace mowik {
namespace {

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return function != nullptr;
}

bool Present(HMODULE library, const char* name) { return GetProcAddress(library, name) != nullptr; }

}  // namespace

bool EngineBinding::Load() {
  Unload();
  win32::ScopedModule module;
  const std::wstring folder = win32::ModuleFolder(win32::ThisModule());
  if (!folder.empty()) {
    module.Reset(LoadLibraryExW((folder + L"\\varelo.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  }
  if (!module) module.Reset(LoadLibraryW(L"varelo.dll"));
  if (!module) return false;
  const HMODULE library = module.Get();

  EngineApi api{};
  bool ok = Resolve(library, "init_VRL", api.init) &&
            Resolve(library, "init_rename_VRL", api.initRename) &&
            Resolve(library, "write_VRL", api.write) && Resolve(library, "flush_VRL", api.flush) &&
            Resolve(library, "read_VRL", api.read) && Resolve(library, "close_VRL", api.close) &&
            Resolve(library, "reset_VRL", api.reset) &&
            Resolve(library, "lastErrorStr_VRL", api.lastErrorStr) &&
            Resolve(library, "setNoError_VRL", api.setNoError) &&
            Resolve(library, "getNoError_VRL", api.getNoError) &&
            Resolve(library, "setFreq_VRL", api.setFreq) && Resolve(library, "getFreq_VRL", api.getFreq) &&
            Resolve(library, "setVolumeRatio_VRL", api.setVolumeRatio) &&
            Resolve(library, "getVolumeRatio_VRL", api.getVolumeRatio) &&
            Resolve(library, "getVersion_VRL", api.getVersion) &&
            Resolve(library, "getDatabaseInfo_VRL", api.getDatabaseInfo);
  for (const char* name : {"readtype_VRL", "lastError_VRL", "setParser_VRL", "init_Phone", "reset_Phone",
                           "close_Phone", "appendf0_Phone"}) {
    ok = ok && Present(library, name);
  }
  if (!ok) return false;  // the module frees the library
  library_ = std::move(module);
  api_ = api;
  return true;
}

void EngineBinding::Unload() {
  library_.Reset();
  api_ = EngineApi{};
}

}  // namespace mowik
