#pragma once
// The clipboard's text for the hot key. Windows only.
#include <windows.h>

#include <optional>
#include <string>

namespace mowik {

// The clipboard's Unicode text: the empty text when it holds none; nothing when another
// program keeps the clipboard open through a few brief retries (about a quarter second).
std::optional<std::wstring> ReadClipboardText(HWND owner);

// Replaces the clipboard's content with text; false when it could not be opened or set.
bool WriteClipboardText(HWND owner, const std::wstring& text);

// The selection of the program in front, copied with a synthesised Ctrl+C once the user has
// let go of the hot key's own keys (so it is not Ctrl+Shift+C again), and read back from the
// clipboard; nothing when the clipboard did not change within half a second (nothing was
// selected, or the program does not copy on Ctrl+C). The clipboard then holds the selection.
std::optional<std::wstring> CopySelection(HWND owner);

}  // namespace mowik
