#include "mowik/shell/clipboard_text.h"

#include <cwchar>

namespace mowik {
namespace {
constexpr int kOpenAttempts = 5;
constexpr DWORD kPauseMilliseconds = 50;
}  // namespace

std::optional<std::wstring> ReadClipboardText(HWND owner) {
  bool open = false;
  for (int attempt = 0; attempt < kOpenAttempts && !open; ++attempt) {
    if (attempt > 0) Sleep(kPauseMilliseconds);
    open = OpenClipboard(owner) != FALSE;
  }
  if (!open) return std::nullopt;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    // The block may be larger than its text, or (from a careless writer) lack its NUL: read no
    // further than the block.
    const SIZE_T bytes = GlobalSize(data);
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      const size_t limit = bytes / sizeof(wchar_t);
      text.assign(chars, wcsnlen(chars, limit));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace mowik
