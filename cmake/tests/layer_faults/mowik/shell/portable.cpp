// The portable half may not reach the Win32 half.
#include "mowik/shell/windows/settings_window.h"
#include "mowik/shell/hot_keys.h"
