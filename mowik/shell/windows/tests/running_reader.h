#pragma once
// A copy of mowik.exe started by a test, driven by messages to its windows as a user's clicks
// and keys would arrive. The folder holds mowik.exe and a vrlplay.dll (real or recording).
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "mowik/shell/layout_table.h"
#include "mowik/shell/reader_contract.h"

namespace mowik::test {

// The folder of the running test program, with a trailing backslash.
inline std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

inline bool WaitFor(const auto& condition, int milliseconds = 10000) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

class RunningReader {
 public:
  explicit RunningReader(std::wstring folder) : folder_(std::move(folder)) {}
  ~RunningReader() { Kill(); }

  // Starts mowik.exe and waits until its start-up is over (its window answers messages).
  bool Start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + folder_ + L"mowik.exe\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &process_))
      return false;
    // Generous: the first Wine program of a run may wait for the prefix's fonts.
    const bool found = WaitFor(
        [&] {
          window_ = FindOwn(kSettingsWindowClass);
          holder_ = FindOwn(kIconHolderClass);
          return window_ && holder_;
        },
        60000);
    DWORD_PTR ignored = 0;
    return found && SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0;
  }
  // Waits for the process to end; false when it did not within the time.
  bool WaitForExit(DWORD milliseconds = 10000) {
    if (!process_.hProcess) return true;
    const bool ended = WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
    if (ended) Close();
    return ended;
  }
  void Kill() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    Close();
  }

  HWND Window() const { return window_; }
  HWND Holder() const { return holder_; }
  HWND Control(int32_t id) const { return GetDlgItem(window_, id); }
  DWORD ProcessId() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }

  // Every visible top-level window of the process.
  std::vector<HWND> VisibleWindows() const {
    struct Search {
      DWORD pid;
      std::vector<HWND> found;
    } search{process_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD pid = 0;
          GetWindowThreadProcessId(window, &pid);
          if (pid == s->pid && IsWindowVisible(window)) s->found.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // A visible message box of the process ("#32770" titled "Mowik"), or nullptr.
  HWND MessageBoxWindow() const {
    for (HWND window : VisibleWindows()) {
      wchar_t className[64] = {}, title[64] = {};
      GetClassNameW(window, className, 64);
      GetWindowTextW(window, title, 64);
      if (std::wstring(className) == L"#32770" && std::wstring(title) == L"Mowik") return window;
    }
    return nullptr;
  }

  // The icon's callback with a mouse event, as the shell sends it.
  void IconEvent(UINT mouseMessage) const { SendMessageW(holder_, kTrayCallbackMessage, 1, mouseMessage); }
  void Click(int32_t id) const { SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id))); }
  // For buttons whose handler may open a message box: the test does not wait on it.
  void PostClick(int32_t id) const { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id))); }
  // Typing into a text field: its text changes as the user's typing changes it.
  void SetText(int32_t id, const std::wstring& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::wstring Text(int32_t id) const {
    wchar_t text[512] = {};
    SendMessageW(Control(id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // A key going down and up in a control, through the program's message loop.
  void Key(int32_t id, WPARAM key) const {
    PostMessageW(Control(id), WM_KEYDOWN, key, 1);
    PostMessageW(Control(id), WM_KEYUP, key, 0xC0000001);
    Settle();
  }
  void Char(int32_t id, wchar_t c) const {
    PostMessageW(Control(id), WM_CHAR, c, 1);
    Settle();
  }
  // The slider moved to value by the user: position, then the scroll notification.
  void MoveSlider(int32_t id, int32_t value) const {
    SendMessageW(Control(id), TBM_SETPOS, TRUE, value);
    SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, value), reinterpret_cast<LPARAM>(Control(id)));
  }
  void ChooseVoice(int32_t index) const {
    SendMessageW(Control(kIdVoiceList), CB_SETCURSEL, index, 0);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kIdVoiceList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(kIdVoiceList)));
  }
  int32_t Rows(int32_t tableId) const { return static_cast<int32_t>(SendMessageW(Control(tableId), LVM_GETITEMCOUNT, 0, 0)); }
  // Gives the program a turn at its queue. Not a barrier: a sent message is handled before
  // posted ones still waiting, so a test checks the effect of posted keys with WaitFor, or
  // posts what comes next (PostClick), which is handled after them.
  void Settle() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  }

 private:
  HWND FindOwn(const wchar_t* className) const {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(window, &pid);
      if (pid == process_.dwProcessId) return window;
    }
    return nullptr;
  }
  void Close() {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }

  std::wstring folder_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  HWND holder_ = nullptr;
};

}  // namespace mowik::test
