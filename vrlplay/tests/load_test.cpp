// The player under load: many threads at once, and many play/stop cycles, end without a
// deadlock, a crash or a growing number of handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

DWORD HandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

TEST(PlayerLoad, EightThreadsPlayingAskingAndStoppingAtOnce) {
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      unsigned seed = 2654435761u * static_cast<unsigned>(t + 1);
      for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        switch ((seed >> 16) % 6) {
          case 0: VRL_Play("a 5\nb 5\n", 0, nullptr, nullptr); break;
          case 1: VRL_Play("a 5\n", VRL_KEEP_OUTPUT, nullptr, nullptr); break;
          case 2: VRL_Play("pitch=1.1\na 5\n", VRL_COMMANDS | VRL_WAIT, nullptr, nullptr); break;
          case 3: VRL_Stop(); break;
          case 4: VRL_SetPitchRatio(1.0f + static_cast<float>(i % 3) / 10.0f); break;
          default:
            if (VRL_IsPlaying() < 0) ++failures;
            break;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  VRL_Stop();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_EQ(VRL_Play("a 5\n", VRL_WAIT, nullptr, nullptr), 0);
  VRL_VRLUnload();
}

TEST(PlayerLoad, TenThousandPlayStopCyclesKeepTheHandleCount) {
  for (int i = 0; i < 100; ++i) {  // let every lazily created resource exist first
    VRL_Play("a 5\na 5\n", 0, nullptr, nullptr);
    VRL_Stop();
  }
  const DWORD before = HandleCount();
  for (int i = 0; i < 10000; ++i) {
    ASSERT_GE(VRL_Play("a 5\na 5\na 5\n", 0, nullptr, nullptr), VRL_ERR_CANCELLED);
    const int code = VRL_Stop();
    ASSERT_TRUE(code == 0 || code == VRL_ERR_CANCELLED) << code;
    ASSERT_EQ(VRL_IsPlaying(), 0);
  }
  EXPECT_LE(HandleCount(), before + 2);
  VRL_VRLUnload();
}

}  // namespace
}  // namespace mowik::test
