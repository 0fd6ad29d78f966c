#include "mowik/shell/windows/clipboard_text.h"

#include <cstring>
#include <cwchar>

namespace mowik {
namespace {
constexpr int kOpenAttempts = 5;
constexpr DWORD kPauseMilliseconds = 50;
constexpr DWORD kKeysReleasedMs = 1000, kCopiedMs = 500;

bool OpenWithRetries(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (attempt > 0) Sleep(kPauseMilliseconds);
    if (OpenClipboard(owner)) return true;
  }
  return false;
}

// Waits up to milliseconds for done(), dispatching this thread's messages meanwhile (the
// program in front may be this one: its window copies on this thread).
template <typename Done>
bool WaitDispatching(DWORD milliseconds, Done done) {
  const ULONGLONG start = GetTickCount64();
  while (!done()) {
    if (GetTickCount64() - start >= milliseconds) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

bool ModifierDown() {
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
    if (GetAsyncKeyState(key) < 0) return true;
  return false;
}

}  // namespace

std::optional<std::wstring> ReadClipboardText(HWND owner) {
  if (!OpenWithRetries(owner)) return std::nullopt;
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

bool WriteClipboardText(HWND owner, const std::wstring& text) {
  if (!OpenWithRetries(owner)) return false;
  EmptyClipboard();
  const size_t size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  bool set = false;
  if (void* memory = block ? GlobalLock(block) : nullptr) {
    std::memcpy(memory, text.c_str(), size);
    GlobalUnlock(block);
    set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  }
  if (!set && block) GlobalFree(block);  // the clipboard owns it only once set
  CloseClipboard();
  return set;
}

std::optional<std::wstring> CopySelection(HWND owner) {
  static bool copying = false;  // a hot key dispatched inside the waits below does not copy again
  if (copying) return std::nullopt;
  copying = true;
  WaitDispatching(kKeysReleasedMs, [] { return !ModifierDown(); });
  const DWORD before = GetClipboardSequenceNumber();
  INPUT keys[4] = {};
  const WORD order[2] = {VK_CONTROL, 'C'};
  for (int i = 0; i < 2; ++i) {
    keys[i].type = keys[3 - i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = keys[3 - i].ki.wVk = order[i];
    keys[3 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  std::optional<std::wstring> text;
  if (SendInput(4, keys, sizeof(INPUT)) == 4 &&
      WaitDispatching(kCopiedMs, [before] { return GetClipboardSequenceNumber() != before; }))
    text = ReadClipboardText(owner);
  copying = false;
  return text;
}

}  // namespace mowik
