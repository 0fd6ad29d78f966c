// Ctrl+Shift+C in mowik.exe under Wine: the clipboard's text goes through the pipeline to the
// player. The recording vrlplay.dll beside the copy of mowik.exe keeps the phoneme text it
// was handed, which must have the lines of mowik-say --phonemes for the same text (symbols
// and durations; the pitch values follow a random draw).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "mowik/shell/windows/tests/running_reader.h"
#include "mowik/shell/windows/tests/set_clipboard.h"

namespace mowik::test {
namespace {

std::string FileText(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each CR LF-separated line's symbol and duration: the first two fields.
std::vector<std::string> SymbolsAndDurations(const std::string& phonemes) {
  std::vector<std::string> lines;
  std::istringstream in(phonemes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string symbol, duration;
    fields >> symbol >> duration;
    lines.push_back(symbol + " " + duration);
  }
  return lines;
}

// What a program writes to its standard output.
std::string OutputOf(std::wstring command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string output;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(write);
    write = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  if (write) CloseHandle(write);
  CloseHandle(read);
  return output;
}

void PressCtrlShiftC() {
  INPUT keys[6] = {};
  const WORD order[3] = {VK_CONTROL, VK_SHIFT, 'C'};
  for (int i = 0; i < 3; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[5 - i].type = INPUT_KEYBOARD;
    keys[5 - i].ki.wVk = order[i];
    keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(6, keys, sizeof(INPUT));
}

class ReaderHotKey : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"mowiksets.conf", L"vrlplay-calls.log", L"vrlplay-play1.txt", L"vrlplay-play2.txt",
                                L"vrlplay-commands.txt"})
      DeleteFileW((OwnFolder() + name).c_str());
    ASSERT_TRUE(reader.Start());
  }
  void TearDown() override {
    reader.Kill();
    DeleteFileW((OwnFolder() + L"mowiksets.conf").c_str());
  }
  bool Played(int n, int milliseconds) {
    return WaitFor([&] { return GetFileAttributesW((OwnFolder() + L"vrlplay-play" + std::to_wstring(n) + L".txt").c_str()) != INVALID_FILE_ATTRIBUTES; },
                   milliseconds);
  }
  RunningReader reader{OwnFolder()};
};

TEST_F(ReaderHotKey, CtrlShiftCSpeaksTheClipboardAsMowikSayWould) {
  const std::wstring text = L"Ala ma kota";
  ASSERT_TRUE(SetClipboard(text));
  // A real key press first; Wine delivers it as WM_HOTKEY only while its X input reaches the
  // program, so a posted WM_HOTKEY stands in when it does not.
  PressCtrlShiftC();
  const bool delivered = Played(1, 3000);
  if (!delivered) PostMessageW(reader.Window(), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'C'));
  ASSERT_TRUE(delivered || Played(1, 10000)) << "nothing was played";
  RecordProperty("real_key_press_delivered", delivered ? "yes" : "no");
  std::printf("real key press delivered by Wine: %s\n", delivered ? "yes" : "no (WM_HOTKEY posted)");

  const std::string played = FileText(OwnFolder() + L"vrlplay-play1.txt");
  const std::string expected = OutputOf(L"\"" + OwnFolder() + L"mowik-say.exe\" --phonemes \"Ala ma kota\"");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(SymbolsAndDurations(played), SymbolsAndDurations(expected));
  EXPECT_EQ(played.rfind("\r\n", 0), 0u) << "every line has CR LF in front";

  // The voice was selected once the icon was up, before the key, without a wait of its own.
  EXPECT_EQ(FileText(OwnFolder() + L"vrlplay-commands.txt"), "database=pl1\n");
  const std::string calls = FileText(OwnFolder() + L"vrlplay-calls.log");
  EXPECT_EQ(calls.rfind("Play 66048\n", 0), 0u) << "the selection ahead comes first: " << calls;
  EXPECT_NE(calls.find("SetDatabase pl1\nSetPitchRatio 1.00\nSetDurationRatio 1.00\nSetVoiceFreq 16000\nPlay 64\nStop\n"),
            std::string::npos)
      << calls;
}

TEST_F(ReaderHotKey, OtherHotKeyIdentifiersAndAnEmptyClipboardSpeakNothing) {
  ASSERT_TRUE(SetClipboard(L""));
  PostMessageW(reader.Window(), WM_HOTKEY, 2, 0);
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  reader.Settle();
  EXPECT_FALSE(Played(1, 500));
}

TEST_F(ReaderHotKey, TheVoiceProfileInUseReachesThePlayer) {
  reader.IconEvent(WM_LBUTTONUP);
  reader.Click(kIdVoiceNew);
  reader.MoveSlider(kIdPitch, 250);
  reader.MoveSlider(kIdSpeed, 18);
  reader.Click(kIdVoiceSave);
  reader.ChooseVoice(1);
  ASSERT_TRUE(SetClipboard(L"kot"));
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  ASSERT_TRUE(Played(1, 10000));
  const std::string calls = FileText(OwnFolder() + L"vrlplay-calls.log");
  EXPECT_NE(calls.find("SetPitchRatio 2.50\nSetDurationRatio 1.80\nSetVoiceFreq 16000\n"), std::string::npos) << calls;
}

TEST_F(ReaderHotKey, TheDictionaryTestButtonSpeaksTheSelectedReplacement) {
  reader.IconEvent(WM_LBUTTONUP);
  reader.SetText(kIdDictFind, L"np.");
  reader.SetText(kIdDictReplace, L"na przyk\u0142ad");
  reader.Click(kIdDictAdd);
  reader.Key(kIdDictTable, VK_HOME);
  reader.PostClick(kIdDictTest);
  ASSERT_TRUE(Played(1, 10000));
  const std::string expected = OutputOf(L"\"" + OwnFolder() + L"mowik-say.exe\" --phonemes \"na przyk\u0142ad\"");
  EXPECT_EQ(SymbolsAndDurations(FileText(OwnFolder() + L"vrlplay-play1.txt")), SymbolsAndDurations(expected));
}

// A window of this test holding a text, all of it selected, in front with the keyboard focus:
// the program whose selection the reader copies.
class SelectedText {
 public:
  explicit SelectedText(const std::wstring& text) {
    frame_ = CreateWindowExW(0, L"STATIC", L"Zaznaczenie", WS_POPUP | WS_VISIBLE, 0, 0, 400, 80, nullptr, nullptr, nullptr, nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 400, 40, frame_, nullptr,
                            nullptr, nullptr);
    SetForegroundWindow(frame_);
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
  }
  ~SelectedText() { DestroyWindow(frame_); }
  bool InFront() const { return GetForegroundWindow() == frame_ && GetFocus() == edit_; }

 private:
  HWND frame_ = nullptr, edit_ = nullptr;
};

// Waits for a condition while this thread's windows keep working (its edit copies on Ctrl+C).
bool PumpUntil(const auto& condition, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(ReaderHotKey, WithReadingTheSelectionOnTheSelectionIsReadAndTheClipboardKeepsItsText) {
  reader.IconEvent(WM_LBUTTONUP);
  SendMessageW(reader.Control(kIdSpeakSelected), BM_CLICK, 0, 0);
  reader.Click(kIdSave);
  ASSERT_TRUE(SetClipboard(L"stary tekst ze schowka"));
  const SelectedText selection(L"kot ma Al\u0119");
  if (!PumpUntil([&] { return selection.InFront(); }, 2000)) GTEST_SKIP() << "the test's window did not come to the front";
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  ASSERT_TRUE(PumpUntil([&] { return Played(1, 0); }, 10000)) << "nothing was played";
  const std::string expected = OutputOf(L"\"" + OwnFolder() + L"mowik-say.exe\" --phonemes \"kot ma Al\u0119\"");
  EXPECT_EQ(SymbolsAndDurations(FileText(OwnFolder() + L"vrlplay-play1.txt")), SymbolsAndDurations(expected));
  EXPECT_EQ(ClipboardText(), L"stary tekst ze schowka");

  // Nothing selected: the clipboard is read, as without the option.
  const SelectedText empty(L"");
  PumpUntil([&] { return empty.InFront(); }, 2000);
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  ASSERT_TRUE(PumpUntil([&] { return Played(2, 0); }, 10000)) << "nothing was played";
  const std::string old = OutputOf(L"\"" + OwnFolder() + L"mowik-say.exe\" --phonemes \"stary tekst ze schowka\"");
  EXPECT_EQ(SymbolsAndDurations(FileText(OwnFolder() + L"vrlplay-play2.txt")), SymbolsAndDurations(old));
}

}  // namespace
}  // namespace mowik::test
