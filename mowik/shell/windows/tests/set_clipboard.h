#pragma once
// Puts text on the clipboard as a user's copy would (CF_UNICODETEXT), through the reader's own
// writer. Another program may hold the clipboard for a moment (the reader reading it), so the
// write is tried for about a second.
#include <string>

#include "mowik/shell/windows/clipboard_text.h"

namespace mowik::test {

inline bool SetClipboard(const std::wstring& text) {
  for (int attempt = 0; attempt < 4; ++attempt)
    if (WriteClipboardText(nullptr, text)) return true;
  return false;
}

}  // namespace mowik::test
