#pragma once
// The clipboard's text for the hot key. Windows only.
#include <windows.h>

#include <optional>
#include <string>

namespace mowik {

// The clipboard's Unicode text: the empty text when it holds none; nothing when another
// program keeps the clipboard open through a few brief retries (about a quarter second).
std::optional<std::wstring> ReadClipboardText(HWND owner);

}  // namespace mowik
