#pragma once
// A window whose messages go to a C++ object: the object's address rides in the window's
// GWLP_USERDATA from WM_NCCREATE on, and every message reaches HandleMessage. Windows only.
#include <windows.h>

namespace mowik {

class WindowBase {
 public:
  virtual ~WindowBase() = default;
  HWND Handle() const { return window_; }

 protected:
  // Registers the class (once) and creates the window; false when either fails.
  bool CreateBase(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int width, int height,
                  HWND owner, HICON icon);
  // Messages the object does not handle go to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(window_, message, wParam, lParam); }

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace mowik
