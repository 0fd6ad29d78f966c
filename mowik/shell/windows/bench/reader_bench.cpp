// mowik.exe's figures, from a copy of the Windows folder in the temporary folder (so the
// product folder gets no settings file), printed and asserted nowhere:
//   start to icon added   process start until the window answers after its start-up, whose
//                         last step adds the icon
//   hot key to samples    a posted WM_HOTKEY until the first non-silent bytes reach the sound
//                         device through the audio library (the ALSA file capture of the
//                         reader's audio test; give its configuration in ALSA_CONFIG_PATH)
//   working set           idle after start-up, and the largest seen while a long text plays
//   wake-ups while idle   context switches of the reader's threads over 10 s of doing nothing
//                         after its readings (the wineserver's are not counted)
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mowik/program/main_module.h"
#include "mowik/shell/reader_contract.h"
#include "mowik/shell/windows/tests/set_clipboard.h"
#include "testing/alsa_capture.h"
#include "testing/wine_proc.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  std::wstring folder = std::wstring(path) + L"mowik-reader-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool CopyProduct(const std::wstring& source, const std::wstring& to) {
  const std::wstring from = source + L"/";
  for (const wchar_t* name : {L"mowik.exe", L"vrlplay.dll", L"varelo.dll", L"vovedodudo.dll", L"pl1"})
    if (!CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE)) return false;
  DeleteFileW((to + L"mowiksets.conf").c_str());
  return true;
}

HWND FindOwn(const wchar_t* className, DWORD pid) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) return window;
  }
  return nullptr;
}

struct Reader {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  HWND holder = nullptr;
};

// Starts the reader and returns how long until its start-up was over (-1: it never was).
double Start(const std::wstring& folder, Reader& reader) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + folder + L"mowik.exe\"";
  const auto start = Clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &reader.process))
    return -1;
  while (MillisecondsSince(start) < 30000) {
    reader.window = FindOwn(mowik::kSettingsWindowClass, reader.process.dwProcessId);
    reader.holder = FindOwn(mowik::kIconHolderClass, reader.process.dwProcessId);
    DWORD_PTR ignored = 0;
    if (reader.window && reader.holder && SendMessageTimeoutW(reader.window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored))
      return MillisecondsSince(start);
    Sleep(1);
  }
  return -1;
}

void Quit(Reader& reader) {
  PostMessageW(reader.holder, WM_COMMAND, mowik::kMenuClose, 0);
  if (WaitForSingleObject(reader.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(reader.process.hProcess, 1);
  CloseHandle(reader.process.hProcess);
  CloseHandle(reader.process.hThread);
  reader = {};
}

double WorkingSetMegabytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return counters.WorkingSetSize / (1024.0 * 1024.0);
}

// Whether the capture holds a non-zero sample yet.
bool HeardSomething(const std::wstring& capture) {
  std::ifstream in(std::filesystem::path(capture), std::ios::binary);
  char buffer[8192];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i)
      if (buffer[i] != 0) return true;
    if (!in) break;
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The build's folder by default; the folder of an unpacked zip or an install measures what
  // users run (stripped of debug information, which Wine otherwise reads into memory).
  const std::wstring source = argc > 1 ? argv[1] : MOWIK_WINDOWS_FOLDER;
  const std::wstring folder = TempFolder();
  if (!CopyProduct(source, folder)) {
    std::fprintf(stderr, "cannot copy the Windows folder from %ls\n", source.c_str());
    return 1;
  }
  // Every byte the reader plays goes to a capture file when the bench runs with the ALSA
  // configuration of the reader's audio test (Wine hands its own Unix environment down to the
  // programs it starts, so it must be set before Wine starts).
  const std::string capture = mowik::testing::CapturePath();
  const std::wstring captureW(capture.begin(), capture.end());

  std::vector<double> starts;
  for (int round = 0; round < 3; ++round) {
    Reader reader;
    const double ms = Start(folder, reader);
    if (ms < 0) {
      std::fprintf(stderr, "the reader did not start\n");
      return 1;
    }
    starts.push_back(ms);
    Quit(reader);
  }
  std::sort(starts.begin(), starts.end());
  std::printf("start to icon added: %.0f ms (median of 3; %.0f to %.0f)\n", starts[1], starts[0], starts[2]);

  Reader reader;
  Start(folder, reader);
  Sleep(2000);
  std::printf("working set idle: %.1f MB (this console bench, for Wine's own share: %.1f MB)\n",
              WorkingSetMegabytes(reader.process.hProcess), WorkingSetMegabytes(GetCurrentProcess()));

  mowik::test::SetClipboard(L"Ala ma kota.");
  if (capture.empty()) {
    std::printf("hot key to first samples: not measured (run with ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:"
                "<build>/mowik/shell/windows/tests/reader_audio_test.asoundrc)\n");
  } else {
    DeleteFileW(captureW.c_str());
    const auto pressed = Clock::now();
    PostMessageW(reader.window, WM_HOTKEY, 1, 0);
    while (!HeardSomething(captureW) && MillisecondsSince(pressed) < 30000) Sleep(2);
    std::printf("hot key to first samples at the sound device: %.0f ms (first utterance: loads the player,\n"
                "  engine and voice)\n", MillisecondsSince(pressed));
    Sleep(3000);
    DeleteFileW(captureW.c_str());
    const auto again = Clock::now();
    PostMessageW(reader.window, WM_HOTKEY, 1, 0);
    while (!HeardSomething(captureW) && MillisecondsSince(again) < 30000) Sleep(2);
    std::printf("hot key to first samples, second utterance: %.0f ms\n", MillisecondsSince(again));
    Sleep(3000);
  }

  // Wake-ups of the reader's threads over 10 s of nothing to do (Wine's /proc: its Linux process).
  const std::string linuxId = mowik::testing::LinuxProcessWith("mowik-reader-bench\\mowik.exe");
  const long long before = linuxId.empty() ? -1 : mowik::testing::ContextSwitches(linuxId);
  Sleep(10000);
  if (before < 0) {
    std::printf("wake-ups while idle: not measured (no /proc through Z:)\n");
  } else {
    std::printf("wake-ups while idle%s: %.1f a second (its threads' context switches over 10 s)\n",
                capture.empty() ? "" : " after two readings",
                static_cast<double>(mowik::testing::ContextSwitches(linuxId) - before) / 10.0);
  }

  std::wstring longText;
  for (int i = 0; i < 10; ++i) longText += mowik::TestSentences[static_cast<size_t>(i)] + L" ";
  for (int i = 0; i < 3; ++i) longText += longText;  // 80 sentences, several minutes of speech
  mowik::test::SetClipboard(longText);
  PostMessageW(reader.window, WM_HOTKEY, 1, 0);
  double largest = 0;
  const auto start = Clock::now();
  while (MillisecondsSince(start) < 8000) {
    largest = std::max(largest, WorkingSetMegabytes(reader.process.hProcess));
    Sleep(100);
  }
  std::printf("working set while speaking %zu characters: %.1f MB at most over 8 s (target under 32 MB)\n",
              longText.size(), largest);
  TerminateProcess(reader.process.hProcess, 0);
  CloseHandle(reader.process.hProcess);
  CloseHandle(reader.process.hThread);
  return 0;
}
