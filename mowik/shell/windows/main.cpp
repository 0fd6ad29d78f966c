// mowik.exe: starts hidden in the notification area; Ctrl+Shift+C reads the clipboard aloud.
// A second start shows the running program's window and ends.
#include <windows.h>

#include <commctrl.h>

#include "mowik/program/main_module.h"
#include "mowik/shell/windows/settings_window.h"

namespace {

// Finds the running program's window (it may still be starting) and asks it to show itself.
void ShowRunningInstance() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (HWND running = FindWindowW(mowik::kSettingsWindowClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(running, &process);
      AllowSetForegroundWindow(process);
      PostMessageW(running, mowik::kShowSettingsMessage, 0, 0);
      return;
    }
    Sleep(100);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // One reader per user session: one icon, one hot key.
  HANDLE instance = CreateMutexW(nullptr, FALSE, mowik::kReaderMutexName);
  if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
    ShowRunningInstance();
    CloseHandle(instance);
    return 0;
  }

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  mowik::InitialiseGlobals();

  static mowik::SettingsWindow window;  // lives until the process ends, "Zakończ" included
  if (!window.Start()) {
    MessageBoxW(nullptr, L"Nie mo\u017cna utworzy\u0107 okna programu.", L"Mowik", MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (instance) CloseHandle(instance);
  return 0;
}
