// A stand-in for the reader in the install test while mowik.exe is not built yet: built as
// mowik.exe into a test folder (never into the product), it opens a hidden window of the
// reader's class and ends when that window is asked to close, as the reader does.
#include <windows.h>

#include "mowik/shell/reader_contract.h"

namespace {

LRESULT CALLBACK StandInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = StandInProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = mowik::kSettingsWindowClass;
  if (!RegisterClassW(&windowClass)) return 1;
  if (!CreateWindowExW(0, windowClass.lpszClassName, L"Mowik - Ustawienia", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                       nullptr, nullptr, instance, nullptr))
    return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
