// An idle player costs nothing: once its play thread has handled a request, it sleeps until
// the next one instead of waking to poll for the quit signal. Under Wine each Windows thread
// is a Linux thread, so the test counts the context switches of every thread of its own
// process across an idle stretch.
#include <gtest/gtest.h>
#include <windows.h>

#include "testing/wine_proc.h"
#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

TEST(IdlePlayerTest, ThePlayThreadSleepsBetweenRequestsAndStillStartsTheNextAtOnce) {
  ClearEngineLog();
  ClearAudio();
  ASSERT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  // This program's Linux process: Wine names it by the program's Windows path.
  const std::string self = testing::LinuxProcessWith("vrlplay_player_test.exe");
  const long long before = self.empty() ? -1 : testing::ContextSwitches(self);
  if (before <= 0) GTEST_SKIP() << "no /proc through Z: (not under Wine)";
  Sleep(1000);
  const long long woken = testing::ContextSwitches(self) - before;
  // A 10 ms poll wakes a hundred times in this second; this thread's own sleep and the
  // reads of /proc cost a few switches.
  EXPECT_LT(woken, 20) << "context switches while idle";

  // Still woken by the next request and by the unload.
  EXPECT_EQ(VRL_Play("b 20\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioSamples().size(), 160u + 320u);
  VRL_VRLUnload();  // returns only once the play thread has ended
}

}  // namespace
}  // namespace mowik::test
