#include "mowik/shell/windows/save_failure.h"

#include "mowik/settings/manage_settings.h"

namespace mowik {
namespace {

std::wstring SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length && text ? std::wstring(text, length) : L"b\u0142\u0105d systemu " + std::to_wstring(error);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ' ||
                             reason.back() == L'.'))
    reason.pop_back();
  return reason;
}

}  // namespace

SaveResult SaveSettingsReporting(const ProgramFolder& folder) {
  SaveResult result;
  result.path = SettingsPath(folder);
  // A file the user made read-only is not replaced, whoever runs the program (Windows refuses
  // the replacement; Wine running as root would not).
  const DWORD attributes = GetFileAttributesW(result.path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    result.error = ERROR_ACCESS_DENIED;
    return result;
  }
  SetLastError(ERROR_SUCCESS);
  result.ok = SaveSettings(folder);
  if (!result.ok) result.error = GetLastError();
  return result;
}

std::wstring SaveFailureText(const SaveResult& result) {
  std::wstring text = L"Nie mo\u017cna zapisa\u0107 ustawie\u0144 do pliku\r\n" + result.path + L"\r\n\r\n";
  const DWORD attributes = GetFileAttributesW(result.path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    text += L"Plik jest tylko do odczytu";
  else if (result.error != ERROR_SUCCESS)
    text += SystemReason(result.error);
  else
    text += L"Przyczyna nieznana";
  text += L".\r\n\r\nZmiany pozostaj\u0105 w oknie; zapisz je ponownie, gdy plik b\u0119dzie dost\u0119pny.";
  return text;
}

}  // namespace mowik
