#include "mowik/shell/windows/layout_controls.h"

#include <commctrl.h>

namespace mowik {

HWND CreateLayoutControl(HWND parent, const ControlLayout& control, int dpiX, int dpiY) {
  const Twips box = WindowBox(control);
  int x = TwipsToPixels(box.left, dpiX), y = TwipsToPixels(box.top, dpiY);
  int width = TwipsToPixels(box.width, dpiX), height = TwipsToPixels(box.height, dpiY);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  const wchar_t* className = L"BUTTON";
  DWORD style = WS_CHILD, exStyle = 0;
  const wchar_t* caption = control.caption ? control.caption : L"";
  switch (control.kind) {
    case ControlKind::kTabs:
      className = WC_TABCONTROLW;
      style |= WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
      break;
    case ControlKind::kFrame:
      // A frame paints only its border and caption: the tab page beneath must paint through.
      style |= BS_GROUPBOX;
      exStyle = WS_EX_TRANSPARENT;
      break;
    case ControlKind::kLabel:
      className = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::kTextField:
    case ControlKind::kShownText:
    case ControlKind::kCellEditor:
      className = L"EDIT";
      exStyle = WS_EX_CLIENTEDGE;
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      if (control.kind == ControlKind::kShownText) style |= ES_READONLY;
      if (control.id == kIdInterval) style |= ES_CENTER;
      break;
    case ControlKind::kCheckBox:
      style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
      break;
    case ControlKind::kHotKey:
      className = HOTKEY_CLASSW;
      style |= WS_TABSTOP;
      caption = L"";
      break;
    case ControlKind::kDropDown:
      className = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height = TwipsToPixels(3000, dpiY);  // the height of the open list
      break;
    case ControlKind::kSlider:
      className = TRACKBAR_CLASSW;
      style |= TBS_HORZ | TBS_NOTICKS | WS_TABSTOP;
      break;
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kTable:
      return nullptr;  // the window's own: a ListTable
  }
  if (control.page == Page::kWindow) style |= WS_VISIBLE;
  HWND created = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, id, instance, nullptr);
  if (created && control.kind == ControlKind::kHotKey) {
    // A key alone, or with Shift alone, would take a letter from every program: Ctrl+Alt is
    // put in front of it. Backspace empties the control ("Brak").
    SendMessageW(created, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  }
  if (created && control.kind == ControlKind::kTabs) {
    for (int page = 0; page < 3; ++page) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(kTabCaptions[page]);
      SendMessageW(created, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
    }
  }
  return created;
}

}  // namespace mowik
