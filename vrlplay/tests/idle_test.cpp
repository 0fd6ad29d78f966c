// An idle player costs nothing: once its play thread has handled a request, it sleeps until
// the next one instead of waking to poll for the quit signal. Under Wine each Windows thread
// is a Linux thread, and Wine reads /proc through the Z: drive, so the test counts the
// context switches of every thread of its own process across an idle stretch.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "vrlplay/tests/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

// Context switches of this process so far, all threads together; -1 outside Wine.
long long ContextSwitches() {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA("Z:\\proc\\self\\task\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long long total = 0;
  do {
    if (found.cFileName[0] == '.') continue;
    std::ifstream status(std::string("Z:\\proc\\self\\task\\") + found.cFileName + "\\status");
    std::string line;
    while (std::getline(status, line)) {
      std::istringstream fields(line);
      std::string name;
      long long count = 0;
      if (fields >> name >> count && (name == "voluntary_ctxt_switches:" || name == "nonvoluntary_ctxt_switches:"))
        total += count;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return total;
}

TEST(IdlePlayerTest, ThePlayThreadSleepsBetweenRequestsAndStillStartsTheNextAtOnce) {
  ClearEngineLog();
  ClearAudio();
  ASSERT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  const long long before = ContextSwitches();
  if (before < 0) GTEST_SKIP() << "no /proc through Z: (not under Wine)";
  Sleep(1000);
  const long long woken = ContextSwitches() - before;
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
