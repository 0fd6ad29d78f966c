#pragma once
// The program's global hot key and the window procedure that catches it. The window keeps its
// own procedure; WindowProc sits in front of it, takes WM_HOTKEY and passes every other
// message on. Windows only.
#include <windows.h>

#include <cstdint>

namespace mowik {

// What the hot key with identifier 1 does (read the clipboard aloud).
using HotKeyAction = void (*)(HWND window);

// Puts WindowProc in front of the window's procedure; action runs for hot key 1.
void InstallHotKeyHook(HWND window, HotKeyAction action);
// Puts the window's own procedure back.
void RemoveHotKeyHook(HWND window);

// Registers a hot key under the next identifier (1 for the first); RegisterHotKey's result
// (non-zero on success). No more than a few keys are ever registered.
BOOL RegisterAppHotKey(HWND window, UINT modifiers, UINT keyCode);
// Unregisters every key registered so far, ignoring failures; the count goes back to 0.
void UnregisterAppHotKeys(HWND window);
int32_t HotKeyCount();

}  // namespace mowik
