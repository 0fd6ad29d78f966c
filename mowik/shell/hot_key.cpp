#include "mowik/shell/hot_key.h"

#include <limits>

namespace mowik {
namespace {

int32_t hot_key_count = 0;
WNDPROC previous_procedure = nullptr;
HotKeyAction hot_key_action = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY) {
    // Never passed on: any other identifier is swallowed.
    if (wParam == 1 && hot_key_action) hot_key_action(window);
    return 0;
  }
  return CallWindowProcW(previous_procedure, window, message, wParam, lParam);
}

}  // namespace

void InstallHotKeyHook(HWND window, HotKeyAction action) {
  if (previous_procedure) return;
  hot_key_action = action;
  previous_procedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

void RemoveHotKeyHook(HWND window) {
  if (!previous_procedure) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_procedure));
  previous_procedure = nullptr;
}

BOOL RegisterAppHotKey(HWND window, UINT modifiers, UINT keyCode) {
  if (hot_key_count == std::numeric_limits<int32_t>::max()) return FALSE;
  ++hot_key_count;
  return RegisterHotKey(window, hot_key_count, modifiers, keyCode);
}

void UnregisterAppHotKeys(HWND window) {
  for (int32_t id = 1; id <= hot_key_count; ++id) UnregisterHotKey(window, id);
  hot_key_count = 0;
}

int32_t HotKeyCount() { return hot_key_count; }

}  // namespace mowik
