#pragma once
// The window's "Zapisz" when the settings file cannot be written: which file and why, for the
// message the user sees. Windows only.
#include <windows.h>

#include <string>

#include "mowik/platform/program_folder.h"

namespace mowik {

struct SaveResult {
  bool ok = false;
  std::wstring path;
  DWORD error = 0;  // the system's error code when the save failed (0: none known)
};

// SaveSettings, with the file's path and the system's reason when it fails.
SaveResult SaveSettingsReporting(const ProgramFolder& folder);

// «Nie można zapisać ustawień do pliku <path>: <reason>.» and that the changes are kept.
std::wstring SaveFailureText(const SaveResult& result);

}  // namespace mowik
