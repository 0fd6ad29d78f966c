#pragma once
// The settings window's controls by their layout identifiers, as the page adapters reach
// them: raw reads and writes, no handler runs from here. Windows only.
#include <windows.h>

#include <cstdint>
#include <string>

namespace mowik {

class WindowControls {
 public:
  void Attach(HWND window) { window_ = window; }
  HWND Window() const { return window_; }
  HWND Control(int32_t id) const { return GetDlgItem(window_, id); }
  LRESULT Send(int32_t id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(Control(id), message, wParam, lParam);
  }
  void Enable(int32_t id, bool enabled) const { EnableWindow(Control(id), enabled); }
  std::wstring TextOf(int32_t id) const;
  // Sets a control's text as the program, not the user: Quiet() holds meanwhile, so the
  // window passes the EN_CHANGE it raises to no handler.
  void SetTextQuietly(int32_t id, const std::wstring& text);
  bool Quiet() const { return quiet_ > 0; }

 private:
  HWND window_ = nullptr;
  int quiet_ = 0;
};

}  // namespace mowik
