#include "mowik/shell/windows/tray_icon.h"

#include <shellapi.h>

#include <cstddef>

namespace mowik {
namespace {

// The version-1 record: up to the 64-character tip, whatever the pointer size.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V1_SIZE;
static_assert(kRecordSize == offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(wchar_t));
static_assert(sizeof(void*) != 4 || kRecordSize == 152, "32-bit: 24 bytes of fields, 128 of tip");

NOTIFYICONDATAW Record(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = kRecordSize;
  data.hWnd = window;
  data.uID = 1;
  return data;
}

}  // namespace

TrayEvent DecodeTrayCallback(LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
      return TrayEvent::kToggleWindow;
    case WM_RBUTTONUP:
      return TrayEvent::kOpenMenu;
    default:
      return TrayEvent::kNone;
  }
}

bool TrayIcon::Add(HWND window, HICON icon, const std::wstring& tip) {
  window_ = window;
  icon_ = icon;
  tip_ = tip;
  NOTIFYICONDATAW data = Record(window);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon;
  lstrcpynW(data.szTip, tip.c_str(), 64);
  added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return added_;
}

void TrayIcon::Restore() {
  if (window_) Add(window_, icon_, tip_);
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
  if (!added_) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = window_;
  data.uID = 1;
  data.uFlags = NIF_INFO;
  lstrcpynW(data.szInfo, text.c_str(), ARRAYSIZE(data.szInfo));
  lstrcpynW(data.szInfoTitle, title.c_str(), ARRAYSIZE(data.szInfoTitle));
  data.dwInfoFlags = NIIF_WARNING;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::Remove() {
  if (!window_) return;
  NOTIFYICONDATAW data = Record(window_);
  Shell_NotifyIconW(NIM_DELETE, &data);
  added_ = false;
}

}  // namespace mowik
