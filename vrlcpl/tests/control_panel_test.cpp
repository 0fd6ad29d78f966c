// The control panel as a user meets it: started by the player, owned by our window, filled in
// and clicked, closed with exit code 0, its change visible to the player at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

// The panel once it is ready for the user: the window can be found while it is still creating
// its controls, and text set before they exist is lost.
HWND WaitForPanel() {
  for (int i = 0; i < 3000; ++i) {
    HWND panel = FindWindowW(L"VrlCplWindow", nullptr);
    if (panel && IsWindowVisible(panel) && GetDlgItem(panel, 101) && GetDlgItem(panel, 103) &&
        GetDlgItem(panel, 105) && GetDlgItem(panel, 109))
      return panel;
    Sleep(10);
  }
  return nullptr;
}

TEST(ControlPanel, AddsADatabaseAndExitsWithZero) {
  ClearDatabaseList();
  Recorder owner;  // any window of ours will do as the owner
  std::atomic<HWND> seenOwner{nullptr};
  std::atomic<bool> found{false};
  std::thread user([&] {
    HWND panel = WaitForPanel();
    if (panel == nullptr) return;
    found = true;
    seenOwner = GetWindow(panel, GW_OWNER);
    SetDlgItemTextW(panel, 101, L"testpl");
    SetDlgItemTextW(panel, 102, L"Głos próbny");
    SetDlgItemTextW(panel, 103, L"C:\\voices\\testpl");
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(105, BN_CLICKED), 0);  // Dodaj
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(109, BN_CLICKED), 0);  // Zamknij
  });
  const int exitCode = VRL_StartControlPanel(owner.Window());
  user.join();
  ASSERT_TRUE(found.load()) << "the panel's window never appeared";
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(seenOwner.load(), owner.Window());
  EXPECT_EQ(VRL_DatabaseExist("testpl"), 1);
  char buf[MAX_PATH];
  EXPECT_EQ(VRL_RegGetDatabasePath("testpl", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "C:\\voices\\testpl");
  EXPECT_EQ(VRL_RegGetDefaultDatabase(buf, sizeof buf), 0);  // the first one becomes the default
  EXPECT_STREQ(buf, "testpl");
  ClearDatabaseList();
  VRL_VRLUnload();
}

}  // namespace
}  // namespace mowik::test
