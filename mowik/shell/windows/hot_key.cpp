#include "mowik/shell/windows/hot_key.h"

#include <limits>

namespace mowik {
namespace {

int32_t hotKeyCount = 0;
WNDPROC previousProcedure = nullptr;
HotKeyHandler hotKeyHandler = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY) {
    // Never passed on: an identifier not registered is swallowed.
    if (wParam >= 1 && wParam <= static_cast<WPARAM>(hotKeyCount) && hotKeyHandler)
      hotKeyHandler(window, static_cast<int32_t>(wParam));
    return 0;
  }
  return CallWindowProcW(previousProcedure, window, message, wParam, lParam);
}

}  // namespace

void InstallHotKeyHook(HWND window, HotKeyHandler handler) {
  if (previousProcedure) return;
  hotKeyHandler = handler;
  previousProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

void RemoveHotKeyHook(HWND window) {
  if (!previousProcedure) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
  previousProcedure = nullptr;
}

BOOL RegisterAppHotKey(HWND window, UINT modifiers, UINT keyCode) {
  if (hotKeyCount == std::numeric_limits<int32_t>::max()) return FALSE;
  ++hotKeyCount;
  return RegisterHotKey(window, hotKeyCount, modifiers, keyCode);
}

void UnregisterAppHotKeys(HWND window) {
  for (int32_t id = 1; id <= hotKeyCount; ++id) UnregisterHotKey(window, id);
  hotKeyCount = 0;
}

int32_t HotKeyCount() { return hotKeyCount; }

}  // namespace mowik
