#include "mowik/shell/windows/icon_holder.h"

#include "mowik/shell/reader_contract.h"

namespace mowik {

bool IconHolder::Create(HICON icon, Events events) {
  icon_ = icon;
  events_ = std::move(events);
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  return CreateBase(kIconHolderClass, L"Mowik", WS_POPUP, 0, 0, 0, nullptr, icon);
}

void IconHolder::AddIcon(const std::wstring& tip) { tray_.Add(window_, icon_, tip); }

void IconHolder::OpenMenu(bool speaking) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMenuAbout, L"O programie...");
  AppendMenuW(menu, MF_STRING, kMenuSettings, L"Konfiguracja...");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | (speaking ? 0 : MF_GRAYED), kMenuStopReading, L"Zatrzymaj czytanie");
  AppendMenuW(menu, MF_STRING, kMenuClose, L"Zako\u0144cz");
  POINT at{};
  GetCursorPos(&at);
  // Without being the foreground window first, the menu would not close on a click elsewhere.
  SetForegroundWindow(window_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

LRESULT IconHolder::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    if (events_.trayEvent) events_.trayEvent(DecodeTrayCallback(lParam));
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    tray_.Restore();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && events_.menuCommand) events_.menuCommand(LOWORD(wParam));
      return 0;
    case WM_ENDSESSION:
      if (wParam) tray_.Remove();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace mowik
