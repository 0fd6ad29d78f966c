#pragma once
// The program's global hot keys and the window procedure that catches them. The window keeps
// its own procedure; WindowProc sits in front of it, takes WM_HOTKEY and passes every other
// message on. Windows only.
#include <windows.h>

#include <cstdint>

namespace mowik {

// What a hot key does, by its identifier (1 to HotKeyCount()); other identifiers are
// swallowed before it runs.
using HotKeyHandler = void (*)(HWND window, int32_t id);

// Puts WindowProc in front of the window's procedure; handler runs for each registered key.
void InstallHotKeyHook(HWND window, HotKeyHandler handler);
// Puts the window's own procedure back.
void RemoveHotKeyHook(HWND window);

// Registers a hot key under the next identifier (1 for the first); RegisterHotKey's result
// (non-zero on success). No more than a few keys are ever registered.
BOOL RegisterAppHotKey(HWND window, UINT modifiers, UINT keyCode);
// Unregisters every key registered so far, ignoring failures; the count goes back to 0.
void UnregisterAppHotKeys(HWND window);
int32_t HotKeyCount();

}  // namespace mowik
