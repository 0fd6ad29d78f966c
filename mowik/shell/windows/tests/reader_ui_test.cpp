// mowik.exe as a user meets it, under Wine: started hidden, shown and hidden by the icon, its
// dictionary and voice profiles edited through the controls, saved, quit with "Zakończ" and
// started again with everything back; a save that fails keeps the edits. Beside it a
// recording vrlplay.dll notes what the reader asks to speak.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "mowik/settings/property_bag_class.h"
#include "mowik/settings/property_value.h"
#include "mowik/shell/windows/tests/running_reader.h"

namespace mowik::test {
namespace {

std::wstring SettingsFile() { return OwnFolder() + L"mowiksets.conf"; }

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RemoveSettings() {
  SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(SettingsFile().c_str());
}

class ReaderUi : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSettings();
    ASSERT_TRUE(reader.Start()) << "mowik.exe did not start";
  }
  void TearDown() override {
    reader.Kill();
    RemoveSettings();
  }
  void AddEntry(const std::wstring& find, const std::wstring& replace) {
    reader.SetText(kIdDictFind, find);
    reader.SetText(kIdDictReplace, replace);
    reader.Click(kIdDictAdd);
  }
  PropertyBagClass StoredBag() {
    PropertyBagClass bag;
    EXPECT_TRUE(bag.LoadFromFile(SettingsFile()));
    return bag;
  }

  RunningReader reader{OwnFolder()};
};

TEST_F(ReaderUi, StartsHiddenAndTheIconsLeftClickTogglesTheWindow) {
  EXPECT_TRUE(reader.VisibleWindows().empty()) << "a window shows after start-up";
  // The window is owned by the hidden icon holder: no task-bar button.
  EXPECT_EQ(GetWindow(reader.Window(), GW_OWNER), reader.Holder());
  EXPECT_FALSE(GetWindowLongPtrW(reader.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  wchar_t title[64] = {};
  GetWindowTextW(reader.Window(), title, 64);
  EXPECT_STREQ(title, L"Mowik - Ustawienia");

  reader.IconEvent(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(reader.Window()));
  reader.IconEvent(WM_MOUSEMOVE);  // other events do nothing
  reader.IconEvent(WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(reader.Window()));
  reader.IconEvent(WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(reader.Window()));
  EXPECT_TRUE(reader.VisibleWindows().empty());
}

TEST_F(ReaderUi, FirstStartWritesTheDefaultsAndShowsThem) {
  PropertyBagClass bag = StoredBag();
  EXPECT_EQ(AsText(bag.ReadProperty(L"SpeakNowInterval")), L"15");
  EXPECT_EQ(AsText(bag.ReadProperty(L"VoiceName1")), L"<domy\u015blny g\u0142os>");
  EXPECT_EQ(AsInt32(bag.ReadProperty(L"DictCount")), 0);
  EXPECT_EQ(SendMessageW(reader.Control(kIdVoiceList), CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(reader.Control(kIdVoiceList), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(reader.Control(kIdSpellCapital), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(reader.Text(kIdInterval), L"15");
  EXPECT_EQ(reader.Rows(kIdVoicesTable), 1);
  EXPECT_FALSE(IsWindowEnabled(reader.Control(kIdInterval)));  // "Czytaj godzinę co" is clear
}

TEST_F(ReaderUi, EditsSurviveZapiszZakonczAndARestart) {
  reader.IconEvent(WM_LBUTTONUP);
  // Dictionary: three entries, the first edited in place, the last deleted.
  AddEntry(L"abc", L"pierwszy");
  AddEntry(L"np.", L"na przyk\u0142ad");
  AddEntry(L"zz", L"usuni\u0119ty");
  EXPECT_EQ(reader.Rows(kIdDictTable), 3);
  EXPECT_EQ(reader.Text(kIdDictFind), L"");
  EXPECT_FALSE(IsWindowEnabled(reader.Control(kIdDictAdd)));
  reader.Key(kIdDictTable, VK_HOME);
  reader.Char(kIdDictTable, L'x');
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(reader.Control(kIdCellEditor)) != FALSE; }));
  EXPECT_EQ(reader.Text(kIdCellEditor), L"xabc");
  DWORD start = 0, end = 0;
  SendMessageW(reader.Control(kIdCellEditor), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 4u);
  reader.Key(kIdCellEditor, VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(reader.Control(kIdCellEditor)); }));
  reader.Key(kIdDictTable, VK_END);
  reader.Key(kIdDictTable, VK_DELETE);
  EXPECT_TRUE(WaitFor([&] { return reader.Rows(kIdDictTable) == 2; })) << reader.Rows(kIdDictTable);

  // A new voice profile, its sliders moved, stored in the frame and chosen.
  reader.Click(kIdVoiceNew);
  EXPECT_EQ(reader.Rows(kIdVoicesTable), 2);
  EXPECT_EQ(reader.Text(kIdVoiceName), L"Nowy g\u0142os");
  reader.SetText(kIdVoiceName, L"Szybki g\u0142os");
  reader.MoveSlider(kIdPitch, 150);
  reader.MoveSlider(kIdSpeed, 7);
  reader.MoveSlider(kIdFrequency, 22050);
  reader.Click(kIdVoiceSave);
  EXPECT_EQ(SendMessageW(reader.Control(kIdVoiceList), CB_GETCOUNT, 0, 0), 2);
  reader.ChooseVoice(1);

  // Options: the clock every "015" minutes.
  SendMessageW(reader.Control(kIdSpeakNow), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(reader.Control(kIdInterval)));
  reader.SetText(kIdInterval, L"015");
  SendMessageW(reader.Window(), WM_COMMAND, MAKEWPARAM(kIdInterval, EN_KILLFOCUS), 0);
  EXPECT_EQ(reader.Text(kIdInterval), L"15");

  reader.Click(kIdSave);
  EXPECT_FALSE(IsWindowVisible(reader.Window()));
  PropertyBagClass bag = StoredBag();
  EXPECT_EQ(AsInt32(bag.ReadProperty(L"DictCount")), 2);
  EXPECT_EQ(AsText(bag.ReadProperty(L"DictFrom1")), L"xabc");
  EXPECT_EQ(AsText(bag.ReadProperty(L"DictTo1")), L"pierwszy");
  EXPECT_EQ(AsText(bag.ReadProperty(L"DictTo2")), L"na przyk\u0142ad");
  EXPECT_EQ(AsInt32(bag.ReadProperty(L"VoiceCount")), 2);
  EXPECT_EQ(AsText(bag.ReadProperty(L"VoiceName2")), L"Szybki g\u0142os");
  EXPECT_EQ(AsText(bag.ReadProperty(L"VoicePitch2")), L"150");
  EXPECT_EQ(AsText(bag.ReadProperty(L"VoiceDuration2")), L"7");
  EXPECT_EQ(AsText(bag.ReadProperty(L"VoiceFrequency2")), L"22050");
  EXPECT_EQ(AsInt16(bag.ReadProperty(L"CurrentVoice")), 1);
  EXPECT_EQ(AsInt16(bag.ReadProperty(L"SpeakNow")), 1);
  EXPECT_EQ(AsText(bag.ReadProperty(L"SpeakNowInterval")), L"15");

  // "Zakończ" from the icon's menu ends the process.
  PostMessageW(reader.Holder(), WM_COMMAND, kMenuClose, 0);
  ASSERT_TRUE(reader.WaitForExit());

  ASSERT_TRUE(reader.Start());
  EXPECT_TRUE(reader.VisibleWindows().empty());
  EXPECT_EQ(reader.Rows(kIdDictTable), 2);
  EXPECT_EQ(reader.Rows(kIdVoicesTable), 2);
  EXPECT_EQ(SendMessageW(reader.Control(kIdVoiceList), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageW(reader.Control(kIdSpeakNow), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsWindowEnabled(reader.Control(kIdInterval)));
  EXPECT_EQ(reader.Text(kIdInterval), L"15");
  wchar_t name[64] = {};
  SendMessageW(reader.Control(kIdVoiceList), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
  EXPECT_STREQ(name, L"Szybki g\u0142os");
}

TEST_F(ReaderUi, AFailedSaveSaysWhereAndWhyAndKeepsTheEdits) {
  reader.IconEvent(WM_LBUTTONUP);
  AddEntry(L"kot", L"pies");
  const std::string before = FileBytes(SettingsFile());
  ASSERT_TRUE(SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  reader.PostClick(kIdSave);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = reader.MessageBoxWindow()) != nullptr; })) << "no message box";
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  const std::wstring message(text);
  EXPECT_NE(message.find(L"mowiksets.conf"), std::wstring::npos) << message.c_str();
  EXPECT_NE(message.find(L"tylko do odczytu"), std::wstring::npos) << message.c_str();
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return reader.MessageBoxWindow() == nullptr; }));
  reader.Settle();

  EXPECT_TRUE(IsWindowVisible(reader.Window()));
  EXPECT_EQ(reader.Rows(kIdDictTable), 1);
  EXPECT_EQ(FileBytes(SettingsFile()), before);

  // Once the file can be written, the same edits are stored.
  SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  reader.Click(kIdSave);
  EXPECT_FALSE(IsWindowVisible(reader.Window()));
  EXPECT_EQ(AsText(StoredBag().ReadProperty(L"DictTo1")), L"pies");
}

TEST_F(ReaderUi, AnulujAndEscKeepTheEditsAndKonfiguracjaShowsTheStoredOnes) {
  reader.IconEvent(WM_LBUTTONUP);
  AddEntry(L"kot", L"pies");
  reader.Key(kIdDictFind, VK_ESCAPE);  // Esc is "Anuluj"
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(reader.Window()); }));
  reader.IconEvent(WM_LBUTTONUP);
  EXPECT_EQ(reader.Rows(kIdDictTable), 1);
  reader.Click(kIdCancel);
  EXPECT_FALSE(IsWindowVisible(reader.Window()));
  SendMessageW(reader.Holder(), WM_COMMAND, kMenuSettings, 0);
  EXPECT_TRUE(IsWindowVisible(reader.Window()));
  EXPECT_EQ(reader.Rows(kIdDictTable), 0);
}

TEST_F(ReaderUi, DeleteAndSlidersWithNoRowSelectedChangeNothing) {
  reader.IconEvent(WM_LBUTTONUP);
  reader.Key(kIdVoicesTable, VK_DELETE);
  reader.MoveSlider(kIdPitch, 300);
  reader.Key(kIdDictTable, VK_DELETE);
  reader.Key(kIdVoicesTable, VK_HOME);  // row 1, the default profile, cannot be deleted
  reader.Key(kIdVoicesTable, VK_DELETE);
  // Posted after the keys, so handled after them: once the window is gone they all were.
  reader.PostClick(kIdSave);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(reader.Window()); }));
  EXPECT_EQ(reader.Rows(kIdVoicesTable), 1);
  EXPECT_EQ(SendMessageW(reader.Control(kIdPitch), TBM_GETPOS, 0, 0), 100);  // row 1 shown again
  EXPECT_EQ(AsText(StoredBag().ReadProperty(L"VoicePitch1")), L"100");
}

TEST_F(ReaderUi, ASecondStartShowsTheRunningWindowAndEnds) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  std::wstring command = L"\"" + OwnFolder() + L"mowik.exe\"";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, OwnFolder().c_str(), &startup, &second));
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(second.hProcess);
  CloseHandle(second.hThread);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(reader.Window()) != FALSE; }));
}

TEST_F(ReaderUi, ClosingTheWindowUnregistersTheHotKeyAndEnds) {
  reader.IconEvent(WM_LBUTTONUP);
  PostMessageW(reader.Window(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(reader.WaitForExit());
  // The combination is free again.
  EXPECT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_SHIFT, 'C'));
  UnregisterHotKey(nullptr, 7);
}

}  // namespace
}  // namespace mowik::test
