#pragma once
// The program's icon in the notification area: the version-1 record of Shell_NotifyIconW
// (callback message 0x200, the mouse-move message, whose lParam carries the mouse event on
// the icon). Windows only.
#include <windows.h>

#include <string>

#include "mowik/shell/reader_contract.h"  // kTrayCallbackMessage

namespace mowik {

enum class TrayEvent { kNone, kToggleWindow, kOpenMenu };

// The event a callback's lParam reports: left button released toggles the window, right
// button released opens the menu.
TrayEvent DecodeTrayCallback(LPARAM lParam);

class TrayIcon {
 public:
  // Adds the icon (identifier 1) for window with the tip; false when the shell refused.
  bool Add(HWND window, HICON icon, const std::wstring& tip);
  // Adds it again after the shell restarted (TaskbarCreated); nothing when never added.
  void Restore();
  void Remove();
  bool Added() const { return added_; }
  // A notice in a balloon at the icon, which the user need not answer (a warning icon);
  // false when the icon is not there or the shell refused. The icon itself keeps its
  // version-1 record; only this call uses the larger one that holds a balloon.
  bool ShowBalloon(const std::wstring& title, const std::wstring& text);

 private:
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool added_ = false;
};

}  // namespace mowik
