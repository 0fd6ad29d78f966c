#pragma once
// What other programs rely on in a running mowik.exe. The installer and the uninstaller find
// the window by its class and close it (WM_CLOSE); a second start finds it and posts
// kShowSettingsMessage; the benchmark, the screenshot driver and the tests find both windows
// and drive the icon's menu and callback. Changing a value breaks them: installer/mowik.nsi
// repeats the window class (READER_CLASS), and the installer's tests include this header.
// Plain numbers, so that it needs no Windows header.

#include <cstdint>

namespace mowik {

// The settings window, "Mowik - Ustawienia": hidden at start, it lives as long as the reader.
inline constexpr wchar_t kSettingsWindowClass[] = L"MowikSettingsWindow";
// The hidden window that holds the notification-area icon and gets the menu's commands.
inline constexpr wchar_t kIconHolderClass[] = L"MowikIconHolder";
// Held while a reader runs: one reader per user session.
inline constexpr wchar_t kReaderMutexName[] = L"Local\\MowikReader";

// Posted to the settings window by a second start: show the window (WM_APP + 1).
inline constexpr uint32_t kShowSettingsMessage = 0x8000 + 1;
// The icon's callback message to the holder (WM_MOUSEMOVE's number, the version-1 icon
// record's); its lParam is the mouse message on the icon.
inline constexpr uint32_t kTrayCallbackMessage = 0x200;

// The commands of the icon's pop-up menu, sent to the holder as WM_COMMAND.
enum MenuId : int32_t { kMenuAbout = 500, kMenuSettings, kMenuClose, kMenuStopReading };

}  // namespace mowik
