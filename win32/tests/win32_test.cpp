#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "win32/ansi_path.h"
#include "win32/ansi_text.h"
#include "win32/message_wait.h"
#include "win32/module_folder.h"
#include "win32/scoped_handle.h"

namespace mowik::win32 {
namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

ScopedHandle NewEvent(bool signalled = false) { return ScopedHandle(CreateEventW(nullptr, TRUE, signalled, nullptr)); }

TEST(ScopedHandle, ClosesOnceWhateverPathOwnershipTakes) {
  HANDLE raw = nullptr;
  {
    ScopedHandle event = NewEvent();
    raw = event.Get();
    ASSERT_TRUE(IsOpen(raw));
    ScopedHandle moved(std::move(event));
    EXPECT_FALSE(event);
    EXPECT_EQ(moved.Get(), raw);
    ScopedHandle assigned;
    assigned = std::move(moved);
    EXPECT_TRUE(IsOpen(raw));  // moving never closes
  }
  EXPECT_FALSE(IsOpen(raw));

  ScopedHandle kept = NewEvent();
  HANDLE released = kept.Release();
  EXPECT_FALSE(kept);
  EXPECT_TRUE(IsOpen(released));
  CloseHandle(released);

  ScopedHandle replaced = NewEvent();
  HANDLE first = replaced.Get();
  replaced.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  EXPECT_FALSE(IsOpen(first));
  EXPECT_TRUE(IsOpen(replaced.Get()));
}

TEST(ScopedHandle, InvalidHandleValueCountsAsNone) {
  ScopedHandle none(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none);
  ScopedKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\MowikWin32Test", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            key.Receive(), nullptr),
            ERROR_SUCCESS);
  EXPECT_TRUE(key);
  key.Reset();
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MowikWin32Test");
}

int g_received = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    ++g_received;
    return 7;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class MessageWindow {
 public:
  MessageWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MowikWaitTest";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"MowikWaitTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_received = 0;
  }
  ~MessageWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

TEST(WaitDispatching, AnswersMessagesSentWhileWaitingAndGivesTheSignalledIndex) {
  MessageWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ScopedHandle idle = NewEvent();
  ScopedHandle done = NewEvent();
  // The other thread's SendMessage returns only once this thread has dispatched it, and only
  // then does it signal: a wait that does not dispatch would never end.
  LRESULT reply = 0;
  std::thread sender([&] {
    reply = SendMessageW(window.Get(), WM_USER, 0, 0);
    SetEvent(done.Get());
  });
  const HANDLE handles[] = {idle.Get(), done.Get()};
  EXPECT_EQ(WaitDispatching(handles), 1);
  sender.join();
  EXPECT_EQ(reply, 7);
  EXPECT_EQ(g_received, 1);
}

TEST(WaitDispatching, DispatchesPostedMessagesUntilTheTimeout) {
  MessageWindow window;
  PostMessageW(window.Get(), WM_USER, 0, 0);
  PostMessageW(window.Get(), WM_USER, 0, 0);
  ScopedHandle never = NewEvent();
  const HANDLE handles[] = {never.Get()};
  EXPECT_EQ(WaitDispatching(handles, 50), kWaitTimedOut);
  EXPECT_EQ(g_received, 2);
  EXPECT_EQ(WaitDispatching({}, 10), kWaitTimedOut);
}

TEST(WaitForMessages, ReturnsOnceMessagesCameAndDispatchesThem) {
  MessageWindow window;
  EXPECT_FALSE(WaitForMessages(10));
  std::thread poster([&] { PostMessageW(window.Get(), WM_USER, 0, 0); });
  // However long the other thread takes to post, the wait ends with its message.
  while (g_received == 0) WaitForMessages(INFINITE);
  poster.join();
  EXPECT_EQ(g_received, 1);
  PostMessageW(window.Get(), WM_USER, 0, 0);
  EXPECT_TRUE(WaitForMessages(INFINITE));
  EXPECT_EQ(g_received, 2);
}

TEST(WaitDispatching, ReportsAHandleThatCannotBeWaitedFor) {
  // A handle value no object ever had (a closed one may come back for the next object).
  const HANDLE handles[] = {reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7FFFFFF0))};
  EXPECT_EQ(WaitDispatching(handles, 1000), kWaitFailed);
  ScopedHandle signalled = NewEvent(true);
  const HANDLE ready[] = {signalled.Get()};
  EXPECT_EQ(WaitDispatching(ready), 0);
}

TEST(AnsiText, KeepsEveryCharacterTheCodePageHasAndEmbeddedNuls) {
  const std::wstring wide(L"Ala ma kota\0!", 13);
  const std::string ansi = AnsiFromWide(wide);
  EXPECT_EQ(ansi, std::string("Ala ma kota\0!", 13));
  EXPECT_EQ(WideFromAnsi(ansi), wide);
  EXPECT_EQ(AnsiFromWide(L""), "");
  EXPECT_EQ(WideFromAnsi(""), L"");
}

TEST(AnsiText, ReplacesWhatTheCodePageCannotHoldWithTheDefaultCharacter) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character has bytes in UTF-8";
  // A CJK character is in no single-byte code page; an unpaired surrogate is in none at all.
  EXPECT_EQ(AnsiFromWide(L"a\x4E2D" L"b"), "a?b");
  EXPECT_EQ(AnsiFromWide(std::wstring(L"x\xD800y")), "x?y");
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return folder + name;
}

TEST(AnsiPath, ReachesAFileWhoseNameTheCodePageCannotHold) {
  const std::wstring path = TempPath(L"mowik-\u0444\u0430\u0439\u043b-\u017c\u00f3\u0142w.wav");  // Cyrillic and Polish
  DeleteFileW(path.c_str());
  const std::string ansi = AnsiPathTo(path);
  ASSERT_FALSE(ansi.empty()) << "no short names on the temporary folder's volume?";
  FILE* out = std::fopen(ansi.c_str(), "wb");
  ASSERT_NE(out, nullptr) << ansi;
  std::fputs("abc", out);
  std::fclose(out);
  FILE* in = _wfopen(path.c_str(), L"rb");
  ASSERT_NE(in, nullptr) << "the ANSI name reached another file";
  char text[8] = {};
  std::fread(text, 1, sizeof text - 1, in);
  std::fclose(in);
  EXPECT_STREQ(text, "abc");
  DeleteFileW(path.c_str());

  // A name the code page holds is itself, and nothing is created for it.
  const std::wstring plain = TempPath(L"mowik-plain-name.wav");
  DeleteFileW(plain.c_str());
  EXPECT_EQ(AnsiPathTo(plain), AnsiFromWide(plain));
  EXPECT_EQ(GetFileAttributesW(plain.c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder that is not there: no name, and no file left behind anywhere.
  EXPECT_TRUE(AnsiPathTo(TempPath(L"mowik-no-such-\u0444\\x.wav")).empty());
  EXPECT_TRUE(AnsiPathTo(L"").empty());
}

TEST(ModuleFolder, IsTheFolderOfTheModuleThatHoldsTheCode) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ASSERT_GT(n, 0u);
  const std::wstring file(path, n);
  EXPECT_EQ(ModuleFileName(nullptr), file);
  EXPECT_EQ(ModuleFolder(nullptr), file.substr(0, file.find_last_of(L"\\/")));
  // Linked into the test program, this code's module is the program itself.
  EXPECT_EQ(ThisModule(), GetModuleHandleW(nullptr));
  EXPECT_EQ(ModuleFolder(reinterpret_cast<HMODULE>(0x10)), L"");
}

}  // namespace
}  // namespace mowik::win32
