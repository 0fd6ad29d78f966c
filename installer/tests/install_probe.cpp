// install_probe: what the install test asks an installed Mowik from inside Wine.
//   install_probe databases FOLDER   loads FOLDER\vrlplay.dll and prints the registered voice
//                                    databases as the control panel lists them, one
//                                    "id<TAB>path" line each (exit 1: the DLL did not load)
//   install_probe reader-window SECONDS
//                                    exit 0 once a Mowik reader window exists, 1 after SECONDS
//   install_probe no-reader-window   exit 0 when no Mowik reader window exists
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "mowik/shell/reader_contract.h"
#include "vrlplay/vrlplay.h"

namespace {


template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int PrintDatabases(const std::wstring& folder) {
  // Its own imports (vovedodudo.dll) are found beside it, as when mowik.exe loads it.
  HMODULE player = LoadLibraryExW((folder + L"\\vrlplay.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (player == nullptr) {
    std::fprintf(stderr, "vrlplay.dll does not load from the folder (error %lu)\n", GetLastError());
    return 1;
  }
  auto enumerate = Export<int(VRL_API*)(char*, int)>(player, "VRL_RegEnumDatabase");
  auto path = Export<int(VRL_API*)(const char*, char*, int)>(player, "VRL_RegGetDatabasePath");
  auto unload = Export<int(VRL_API*)()>(player, "VRL_VRLUnload");
  if (enumerate == nullptr || path == nullptr) {
    std::fprintf(stderr, "vrlplay.dll lacks the registry exports\n");
    return 1;
  }
  char ids[4096];
  enumerate(ids, sizeof ids);
  for (const char* id = ids; *id != '\0'; id += std::strlen(id) + 1) {
    char file[MAX_PATH] = "";
    path(id, file, sizeof file);
    std::printf("%s\t%s\n", id, file);
  }
  if (unload != nullptr) unload();
  return 0;
}

bool ReaderWindowExists() { return FindWindowW(mowik::kSettingsWindowClass, nullptr) != nullptr; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"databases" && argc == 3) return PrintDatabases(argv[2]);
  if (command == L"reader-window" && argc == 3) {
    const int tenths = std::max(1, _wtoi(argv[2]) * 10);
    for (int i = 0; i < tenths; ++i) {
      if (ReaderWindowExists()) return 0;
      Sleep(100);
    }
    return 1;
  }
  if (command == L"no-reader-window" && argc == 2) return ReaderWindowExists() ? 1 : 0;
  std::fprintf(stderr, "usage: install_probe databases FOLDER | reader-window SECONDS | no-reader-window\n");
  return 2;
}
