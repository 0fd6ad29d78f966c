#pragma once
// Puts text on the clipboard as a user's copy would (CF_UNICODETEXT). Another program may
// hold the clipboard for a moment (the reader reading it), so opening is retried for a second.
#include <windows.h>

#include <cstring>
#include <string>

namespace mowik::test {

inline bool SetClipboard(const std::wstring& text) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      const size_t size = (text.size() + 1) * sizeof(wchar_t);
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
      void* memory = block ? GlobalLock(block) : nullptr;
      bool set = false;
      if (memory) {
        std::memcpy(memory, text.c_str(), size);
        GlobalUnlock(block);
        set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
      }
      if (!set && block) GlobalFree(block);  // the clipboard owns it only once set
      CloseClipboard();
      return set;
    }
    Sleep(50);
  }
  return false;
}

}  // namespace mowik::test
