#pragma once
// One control of the settings window's layout table made as a Win32 control: its class and
// styles for its kind, its box in pixels at the screen's resolution, hidden unless it lies on
// the window itself (the pages show theirs). Tables are ListTables the window makes; for one
// of those this gives nullptr, as for a failed creation. Windows only.
#include <windows.h>

#include "mowik/shell/layout_table.h"

namespace mowik {

HWND CreateLayoutControl(HWND parent, const ControlLayout& control, int dpiX, int dpiY);

}  // namespace mowik
