#pragma once
// The hidden window that holds the notification-area icon: it gets the icon's callback
// messages and the pop-up menu's commands, re-adds the icon when the shell restarts and
// removes it at log-off. It also owns the settings window, which therefore has no task-bar
// button. Never shown. Windows only.
#include <windows.h>

#include <functional>
#include <string>

#include "mowik/shell/windows/tray_icon.h"
#include "mowik/shell/windows/window_base.h"

namespace mowik {

class IconHolder final : public WindowBase {
 public:
  struct Events {
    std::function<void(TrayEvent)> trayEvent;
    std::function<void(int32_t id)> menuCommand;
  };
  bool Create(HICON icon, Events events);
  // TrayAdd and TrayRemove.
  void AddIcon(const std::wstring& tip);
  void RemoveIcon() { tray_.Remove(); }
  bool ShowNotice(const std::wstring& title, const std::wstring& text) { return tray_.ShowBalloon(title, text); }
  // The pop-up menu at the mouse position: "O programie...", "Konfiguracja...",
  // "Zatrzymaj czytanie" (enabled while speaking), "Zakończ".
  void OpenMenu(bool speaking);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  TrayIcon tray_;
  HICON icon_ = nullptr;
  UINT taskbarCreated_ = 0;
  Events events_;
};

}  // namespace mowik
