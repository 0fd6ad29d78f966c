#include "mowik/output/sampa_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <string>
#include <vector>

#include "mowik/program/main_module.h"

namespace mowik {
namespace {

// A player that logs the calls and answers with set results.
class FakePlayer : public PlayerApi {
 public:
  int32_t IsPlaying() override { return Log("IsPlaying", playing); }
  int32_t SetDatabase(const std::wstring& id) override {
    return Log("SetDatabase " + std::string(id.begin(), id.end()), database_result);
  }
  int32_t SetPitchRatio(float r) override { return Log("SetPitchRatio " + std::to_string(r), 0); }
  int32_t SetDurationRatio(float r) override { return Log("SetDurationRatio " + std::to_string(r), 0); }
  int32_t SetVoiceFreq(int32_t f) override { return Log("SetVoiceFreq " + std::to_string(f), 0); }
  int32_t Play(const std::string& text, int32_t flags, const std::wstring& out, intptr_t target) override {
    played.push_back(text);
    if (during_play) during_play();
    return Log("Play " + std::to_string(flags) + " " + std::string(out.begin(), out.end()) + " " +
                   std::to_string(target),
               play_result);
  }
  int32_t Stop() override { return Log("Stop", stop_result); }
  int32_t Pause() override { return Log("Pause", pause_result); }
  int32_t Resume() override { return Log("Resume", 0); }
  int32_t WaitForEnd() override { return Log("WaitForEnd", 0); }
  int32_t SelectDatabaseAhead(const std::wstring& id) override {
    return Log("SelectDatabaseAhead " + std::string(id.begin(), id.end()), database_result);
  }
  int32_t LastError(char* buf, int32_t len) override {
    calls.push_back("LastError " + std::to_string(len));
    for (int32_t i = 0; i < len; ++i) EXPECT_EQ(buf[i], '\0') << "the buffer starts as NULs";
    if (error_text.empty()) return 0;
    error_text.copy(buf, error_text.size());
    return static_cast<int32_t>(error_text.size() + 1);
  }
  bool Unavailable() const override { return unavailable; }

  int32_t Log(const std::string& call, int32_t result) {
    calls.push_back(call);
    return result;
  }

  std::vector<std::string> calls;
  std::vector<std::string> played;
  int32_t playing = 0;
  int32_t database_result = 0;
  int32_t play_result = 0;
  int32_t stop_result = 0;
  int32_t pause_result = 0;
  std::string error_text;
  bool unavailable = false;
  std::function<void()> during_play;  // runs inside Play, as the wait's dispatched messages do
};

class RecordingReporter : public PlayerReporter {
 public:
  void ShowPlayerError(const std::wstring& text) override { shown.push_back(text); }
  std::vector<std::wstring> shown;
};

class SampaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseGlobals();
    PitchRatio = 1.0f;
    DurationRatio = 1.5f;
    VoiceFreq = 16000;
  }
  FakePlayer player;
  RecordingReporter reporter;
  SampaPlayer bridge{player, reporter};
};

TEST_F(SampaPlayerTest, SixCallsInOrderEachFollowedByLastError) {
  bridge.PlaySampa("\r\na 70 0 160");
  const std::vector<std::string> expected = {
      "IsPlaying",
      "SetDatabase pl1", "LastError 1024",
      "SetPitchRatio 1.000000", "LastError 1024",
      "SetDurationRatio 1.500000", "LastError 1024",
      "SetVoiceFreq 16000", "LastError 1024",
      "Play 64 0 0", "LastError 1024",
      "Stop", "LastError 1024",
  };
  EXPECT_EQ(player.calls, expected);
  EXPECT_TRUE(reporter.shown.empty());
  // The last line gets its line end, so that the player plays it too.
  ASSERT_EQ(player.played.size(), 1u);
  EXPECT_EQ(player.played[0], "\r\na 70 0 160\r\n");
}

TEST_F(SampaPlayerTest, ErrorsAreShownAndTheStepsGoOn) {
  player.database_result = -7;
  player.error_text = "Can't load the pl1 database";
  bridge.PlaySampa("\r\na 70 0 160");
  ASSERT_EQ(reporter.shown.size(), 1u);
  EXPECT_EQ(reporter.shown[0], L"Can't load the pl1 database");
  EXPECT_EQ(PlayerErrorText, L"Can't load the pl1 database");
  EXPECT_EQ(player.calls.size(), 13u) << "every step still runs";
  EXPECT_EQ(bridge.ErrorsShown(), 1);
}

TEST_F(SampaPlayerTest, NothingIsPlayedWithoutALineBreakOrWhilePlaying) {
  bridge.PlaySampa("");
  bridge.PlaySampa("a 70 0 160");
  EXPECT_TRUE(player.calls.empty());
  player.playing = 1;
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(player.calls, std::vector<std::string>{"IsPlaying"}) << "dropped, not queued";
}

TEST_F(SampaPlayerTest, AnUnavailableLibrarySpeaksNothing) {
  player.unavailable = true;
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(player.calls, std::vector<std::string>{"IsPlaying"});
}

TEST_F(SampaPlayerTest, FileOutputAddsItsFlagsAndName) {
  bridge.SetOutput(0x400, L"out.wav");
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_NE(std::find(player.calls.begin(), player.calls.end(), "Play 1088 out.wav 0"), player.calls.end());
}

TEST_F(SampaPlayerTest, AStopAskedForWhilePlayingEndsItWithoutAnErrorShown) {
  EXPECT_FALSE(bridge.Speaking());
  bridge.StopSpeaking();  // nothing plays: nothing to stop
  EXPECT_TRUE(player.calls.empty());
  bool speakingInside = false;
  player.during_play = [&] {
    speakingInside = bridge.Speaking();
    bridge.StopSpeaking();
  };
  player.play_result = VRL_ERR_CANCELLED;
  player.stop_result = VRL_ERR_CANCELLED;  // the player's record keeps the cancellation
  player.error_text = "Cancelled by user";
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_TRUE(speakingInside);
  EXPECT_FALSE(bridge.Speaking());
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "Stop"), 2) << "the stop, then the bridge's own";
  EXPECT_TRUE(reporter.shown.empty());
  // A cancellation the user did not ask for is still shown.
  player.during_play = nullptr;
  bridge.PlaySampa("\r\na 70 0 160");
  ASSERT_FALSE(reporter.shown.empty());
  EXPECT_EQ(reporter.shown[0], L"Cancelled by user");
}

TEST_F(SampaPlayerTest, APreloadSelectsTheVoiceQuietlyAndTheFirstUtteranceWaitsForIt) {
  DatabaseName = L"pl1";
  player.database_result = VRL_ERR_LOAD_DATABASE;  // even a failure is left to the reading to show
  bridge.Preload();
  EXPECT_EQ(player.calls, (std::vector<std::string>{"SelectDatabaseAhead pl1"}));
  EXPECT_TRUE(reporter.shown.empty());
  player.database_result = 0;
  bridge.PlaySampa("\r\na 70 0 160");
  ASSERT_GE(player.calls.size(), 3u);
  EXPECT_EQ(player.calls[1], "WaitForEnd") << "before IsPlaying, or the utterance would be dropped";
  EXPECT_EQ(player.calls[2], "IsPlaying");
  player.calls.clear();
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "WaitForEnd"), 0) << "only the first waits";

  player.unavailable = true;  // no library: nothing to load
  player.calls.clear();
  bridge.Preload();
  EXPECT_TRUE(player.calls.empty());
}

TEST_F(SampaPlayerTest, PauseTogglesOnlyWhileSpeakingAndAnUtteranceNeverStartsHeld) {
  bridge.TogglePause();  // nothing plays: nothing to hold
  EXPECT_TRUE(player.calls.empty());
  std::vector<bool> paused;
  player.during_play = [&] {
    bridge.TogglePause();
    paused.push_back(bridge.Paused());
    bridge.TogglePause();
    paused.push_back(bridge.Paused());
    bridge.TogglePause();  // held when the utterance ends (a stop elsewhere)
  };
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(paused, (std::vector<bool>{true, false}));
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "Pause"), 2);
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "Resume"), 1);
  EXPECT_FALSE(bridge.Paused());
  EXPECT_TRUE(reporter.shown.empty());

  // A player that cannot pause leaves the next press a pause again, not a resume.
  player.pause_result = VRL_ERR_NOT_PLAYING;
  player.calls.clear();
  player.during_play = [&] {
    bridge.TogglePause();
    bridge.TogglePause();
  };
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "Pause"), 2);
  EXPECT_EQ(std::count(player.calls.begin(), player.calls.end(), "Resume"), 0);
  EXPECT_TRUE(reporter.shown.empty());
}

}  // namespace
}  // namespace mowik
