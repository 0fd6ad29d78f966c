#include "mowik/shell/windows/window_controls.h"

namespace mowik {

std::wstring WindowControls::TextOf(int32_t id) const {
  HWND control = Control(id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return text;
}

void WindowControls::SetTextQuietly(int32_t id, const std::wstring& text) {
  ++quiet_;
  SetWindowTextW(Control(id), text.c_str());
  --quiet_;
}

}  // namespace mowik
