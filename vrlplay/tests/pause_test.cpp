// Pause and resume in the player under Wine, beside the fake engine and audio library: the
// request holds where it is, loses nothing, and a stop still ends it at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string LongText(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "a 10\n";
  return text;
}

// Waits (at most ten seconds, so a fault fails rather than hangs) until the audio log holds part.
bool AudioLogShows(const std::string& part) {
  for (int i = 0; i < 10000; ++i) {
    if (Contains(AudioLog(), part)) return true;
    Sleep(1);
  }
  return false;
}

class PauseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearEngineLog();
    ClearAudio();
  }
  void TearDown() override {
    SetEngineWriteDelay(0);
    VRL_VRLUnload();
  }

  // Starts a reading of count lines of 10 ms each that takes a while to synthesize.
  void StartLongReading(int count) {
    SetEngineWriteDelay(2);
    ASSERT_EQ(VRL_Play(LongText(count).c_str(), 0, nullptr, nullptr), 0);
    for (int i = 0; i < 10000 && AudioSamples().empty(); ++i) Sleep(1);
    ASSERT_FALSE(AudioSamples().empty());
  }
};

TEST_F(PauseTest, NothingPlayingIsNoPauseAndSaysSo) {
  EXPECT_EQ(VRL_Pause(), VRL_ERR_NOT_PLAYING);
  EXPECT_EQ(VRL_Resume(), VRL_ERR_NOT_PLAYING);
  char text[64] = {};
  VRL_LastError(text, sizeof text);
  EXPECT_STREQ(text, "") << "a refusal is not the player's error";
  EXPECT_EQ(VRL_IsPaused(), 0);
  // The next reading is not held by the refused pause.
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioSamples().size(), 160u);
}

TEST_F(PauseTest, APausedReadingHoldsThenPlaysOnToItsEndOnce) {
  StartLongReading(200);
  EXPECT_EQ(VRL_Pause(), 0);
  EXPECT_EQ(VRL_Pause(), 0);  // a second pause changes nothing
  ASSERT_TRUE(AudioLogShows("pause\n"));
  const size_t held = AudioSamples().size();
  Sleep(100);
  EXPECT_EQ(AudioSamples().size(), held) << "samples were written while paused";
  EXPECT_EQ(VRL_IsPlaying(), 1);
  EXPECT_EQ(VRL_IsPaused(), 1);

  EXPECT_EQ(VRL_Resume(), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_EQ(AudioSamples().size(), 200u * 160u);  // every sample, none twice
  EXPECT_TRUE(Contains(AudioLog(), "pause\nresume\n"));
  EXPECT_FALSE(Contains(AudioLog(), "stop"));
  EXPECT_EQ(VRL_IsPaused(), 0);
}

TEST_F(PauseTest, AStopEndsAPausedReadingAtOnceAndTheNextOneIsNotHeld) {
  StartLongReading(200);
  EXPECT_EQ(VRL_Pause(), 0);
  ASSERT_TRUE(AudioLogShows("pause\n"));
  EXPECT_EQ(VRL_Stop(), VRL_ERR_CANCELLED);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_EQ(VRL_IsPaused(), 0);
  EXPECT_LT(AudioSamples().size(), 200u * 160u);
  EXPECT_TRUE(Contains(AudioLog(), "stop\nclose\n"));

  SetEngineWriteDelay(0);
  ClearAudio();
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioSamples().size(), 160u);
}

TEST_F(PauseTest, APauseAlsoHoldsTheRequestsQueuedBehind) {
  StartLongReading(50);
  ASSERT_EQ(VRL_Play("b 10\n", 0, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_Pause(), 0);
  ASSERT_TRUE(AudioLogShows("pause\n"));
  EXPECT_FALSE(Contains(EngineLog(), "write b 10"));
  EXPECT_EQ(VRL_Resume(), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_EQ(AudioSamples().size(), 51u * 160u);
}

}  // namespace
}  // namespace mowik::test
