// The player beside a varelo.dll that lacks one of its entry points: start-up stops at -11 and
// every export answers at once instead of waiting for a play thread that does not exist.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "vrlplay/vrlplay.h"

namespace {

TEST(NoEngine, StartUpStopsAtMinus11AndNothingWaits) {
  EXPECT_EQ(VRL_LastError(nullptr, 0), VRL_ERR_NO_ENGINE);
  char buf[64];
  EXPECT_EQ(VRL_LastError(buf, sizeof buf), 21);
  EXPECT_STREQ(buf, "Varelo DLL not found");

  EXPECT_EQ(VRL_GetVoiceFreq(), 0);
  EXPECT_EQ(VRL_GetDefaultFreq(), -1);
  EXPECT_EQ(VRL_SetNoError(1), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_GetNoError(), 0);
  EXPECT_EQ(VRL_SetVoiceFreq(8000), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_SetVolumeRatio(2.0f), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_GetVolumeRatio(), 0.0f);
  EXPECT_EQ(VRL_GetVersion(buf, sizeof buf), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_GetDatabaseInfo(0, nullptr, 0), -1);
  EXPECT_EQ(VRL_GetDatabaseAllInfo(buf, sizeof buf), -1);

  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_Play("pitch=2\n", VRL_COMMANDS | VRL_WAIT, nullptr, nullptr), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_SetDatabase("pl1"), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_SetDatabaseEx("pl1", nullptr, nullptr), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  // Ratios are still queued without an engine; nothing applies them, and nothing waits for them.
  EXPECT_EQ(VRL_SetPitchRatio(1.5f), 0);
  EXPECT_EQ(VRL_SetDurationRatio(1.5f), 0);
  EXPECT_EQ(VRL_IsPlaying(), 1);
  EXPECT_EQ(VRL_WaitForEnd(), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_Stop(), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_Pause(), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_Resume(), VRL_ERR_NO_ENGINE);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.0f);
  EXPECT_EQ(VRL_SetCallbackMsgBase(0x9000), VRL_ERR_NO_ENGINE);
  EXPECT_EQ(VRL_Play(nullptr, 0, nullptr, nullptr), VRL_ERR_NO_ENGINE);  // the start-up code stays
  EXPECT_EQ(VRL_LastError(nullptr, 0), VRL_ERR_NO_ENGINE);

  // The registry list does not depend on the engine.
  EXPECT_GE(VRL_RegGetDatabaseCount(), 0);
  VRL_VRLUnload();
}

// No VrlCpl.exe in the system folder nor beside this player: an error box, then -1.
TEST(NoEngine, AControlPanelThatCannotStartGivesMinus1AfterItsMessage) {
  std::atomic<bool> seen{false};
  std::thread user([&] {
    for (int i = 0; i < 3000 && !seen; ++i) {
      HWND box = FindWindowA("#32770", nullptr);
      char text[128] = {};
      if (box != nullptr && GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0 &&
          std::string(text) == "Can't Start Varelo Control Panel") {
        seen = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(10);
    }
  });
  EXPECT_EQ(VRL_StartControlPanel(nullptr), -1);
  user.join();
  EXPECT_TRUE(seen.load());
}

}  // namespace
