// Drives a running mowik.exe from outside, one step per call, for the screenshots:
//   reader_driver show|hide|next-tab|menu|escape|about|close-about|quit|rect
// "rect" prints the settings window's geometry as WxH+X+Y (for a cropped screenshot).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "mowik/shell/layout_table.h"
#include "mowik/shell/reader_contract.h"

namespace {

// The first Wine program with a window on a new display waits for Wine's desktop: allow a
// minute.
HWND Find(const wchar_t* className) {
  for (int i = 0; i < 600; ++i) {
    if (HWND window = FindWindowW(className, nullptr)) return window;
    Sleep(50);
  }
  return nullptr;
}

HWND FindAbout() {
  for (int i = 0; i < 100; ++i) {
    if (HWND box = FindWindowW(L"#32770", L"Mowik")) return box;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: reader_driver show|hide|next-tab|menu|escape|about|close-about|quit|rect\n");
    return 2;
  }
  HWND window = Find(mowik::kSettingsWindowClass);
  HWND holder = Find(mowik::kIconHolderClass);
  if (!window || !holder) {
    std::fprintf(stderr, "mowik.exe is not running\n");
    return 1;
  }
  const std::wstring command = argv[1];
  if (command == L"show" && !IsWindowVisible(window)) SendMessageW(holder, mowik::kTrayCallbackMessage, 1, WM_LBUTTONUP);
  if (command == L"hide" && IsWindowVisible(window)) SendMessageW(holder, mowik::kTrayCallbackMessage, 1, WM_LBUTTONUP);
  if (command == L"next-tab") SendMessageW(GetDlgItem(window, mowik::kIdTabs), WM_KEYDOWN, VK_RIGHT, 0);
  if (command == L"menu") PostMessageW(holder, mowik::kTrayCallbackMessage, 1, WM_RBUTTONUP);
  if (command == L"escape") {
    PostMessageW(holder, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(holder, WM_KEYUP, VK_ESCAPE, 0);
  }
  if (command == L"about") PostMessageW(holder, WM_COMMAND, mowik::kMenuAbout, 0);
  if (command == L"close-about") {
    if (HWND box = FindAbout()) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  if (command == L"quit") PostMessageW(holder, WM_COMMAND, mowik::kMenuClose, 0);
  if (command == L"rect") {
    RECT box{};
    GetWindowRect(command == L"rect" && argc > 2 ? FindAbout() : window, &box);
    std::printf("%ldx%ld+%ld+%ld\n", box.right - box.left, box.bottom - box.top, box.left, box.top);
  }
  Sleep(300);  // let the program draw
  return 0;
}
