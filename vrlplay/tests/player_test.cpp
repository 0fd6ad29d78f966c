// The player under Wine: vrlplay.dll loaded by name beside a fake varelo.dll and a fake
// vovedodudo.dll, real threads, windows and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace mowik::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string LastError() {
  char buf[512] = {};
  VRL_LastError(buf, sizeof buf);
  return buf;
}

// A long phoneme text: count lines of 10 ms each.
std::string LongText(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "a 10\n";
  return text;
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(VRL_LastError(nullptr, 0), 0) << LastError();
    ClearEngineLog();
    ClearAudio();
  }
  // Each test gets a fresh player.
  void TearDown() override { VRL_VRLUnload(); }
};

TEST_F(PlayerTest, PhonemeTextReachesTheEngineLineByLineAfterTheRatioLines) {
  EXPECT_EQ(VRL_Play("a 10\n\nb 20\nc 5", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(EngineLog(),
            "write ;; F =  1.000\n\nflush\nwrite ;; T =  1.000\n\nflush\n"
            "write a 10\n\nwrite b 20\n\nflush\n");
  EXPECT_EQ(AudioLog(), "open 1 (null) 0\nformat 16000 16 1 1\nclose\n");
  const std::vector<short> samples = AudioSamples();
  ASSERT_EQ(samples.size(), 160u + 320u);
  EXPECT_EQ(samples.front(), 1);
  EXPECT_EQ(samples.back(), 2);
  EXPECT_EQ(VRL_IsPlaying(), 0);
}

TEST_F(PlayerTest, MoreLinesThanTheEngineHoldsAreRetriedAfterReading) {
  EXPECT_EQ(VRL_Play(LongText(50).c_str(), VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioSamples().size(), 50u * 160u);
}

TEST_F(PlayerTest, FileOutputsFollowTheFirstTypeBit) {
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_OUT_FILE_TYPE1 | VRL_OUT_FILE_TYPE2, "x.au", nullptr), 0);
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_OUT_FILE_TYPE2, "x.raw", nullptr), 0);
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_OUT_FILE_TYPE0 | VRL_OUT_FILE_TYPE1, "x.wav", nullptr), 0);
  EXPECT_EQ(AudioLog(),
            "open 2 x.au 1\nformat 16000 16 1 1\nclose\n"
            "open 2 x.raw 2\nformat 16000 16 1 1\nclose\n"
            "open 2 x.wav 0\nformat 16000 16 1 1\nclose\n");
  ClearAudio();
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT | VRL_NO_OUTPUT | VRL_OUT_FILE_TYPE2, "y.raw", nullptr), 0);
  EXPECT_TRUE(AudioSamples().empty());
  EXPECT_TRUE(Contains(EngineLog(), "write a 10"));
}

TEST_F(PlayerTest, ALawAndMuLawFilesTakeOneByteForEveryTwoEngineSamplesAtHalfTheRate) {
  // 480 engine samples at 16 kHz: 240 G.711 bytes in a file that says 8000 Hz.
  EXPECT_EQ(VRL_Play("a 10\nb 20\n", VRL_WAIT | VRL_OUT_FILE_TYPE0 | VRL_ALAW, "x.wav", nullptr), 0);
  EXPECT_EQ(AudioBytes(), 240);
  EXPECT_EQ(VRL_Play("a 10\nb 20\n", VRL_WAIT | VRL_OUT_FILE_TYPE0 | VRL_MULAW, "y.wav", nullptr), 0);
  EXPECT_EQ(AudioBytes(), 480);
  // Both bits: A-law. The bits mean nothing to the other file types.
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_OUT_FILE_TYPE0 | VRL_ALAW | VRL_MULAW, "z.wav", nullptr), 0);
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_OUT_FILE_TYPE1 | VRL_MULAW, "z.au", nullptr), 0);
  EXPECT_EQ(AudioLog(),
            "open 2 x.wav 0\nformat 8000 8 1 6\nclose\n"
            "open 2 y.wav 0\nformat 8000 8 1 7\nclose\n"
            "open 2 z.wav 0\nformat 8000 8 1 6\nclose\n"
            "open 2 z.au 1\nformat 16000 16 1 1\nclose\n");
  EXPECT_EQ(AudioSamples().size(), 16u);
  EXPECT_EQ(AudioBytes(), 488);
}

TEST_F(PlayerTest, ADeviceThatNeverReportsTheEndOfPlaybackStillCloses) {
  // The close waits no longer than the audio written could take to play, plus a margin.
  SilenceAudioDevice(true);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  SilenceAudioDevice(false);
  EXPECT_EQ(AudioLog(), "open 1 (null) 0\nformat 16000 16 1 1\nclose\n");
  EXPECT_EQ(VRL_IsPlaying(), 0);
}

TEST_F(PlayerTest, StopWhileTheDeviceCloseWaitsSilencesItAndCancels) {
  // Everything is written; the close would wait for playback (here: a device that never
  // reports, so the bounded wait of two seconds and more).
  SilenceAudioDevice(true);
  EXPECT_EQ(VRL_Play("a 10\n", 0, nullptr, nullptr), 0);
  while (AudioSamples().size() < 160u) Sleep(1);
  EXPECT_EQ(VRL_Stop(), VRL_ERR_CANCELLED);
  SilenceAudioDevice(false);
  EXPECT_TRUE(Contains(AudioLog(), "stop\nclose\n"));
  EXPECT_EQ(VRL_IsPlaying(), 0);
}

TEST_F(PlayerTest, AnOutputThatCannotOpenGivesMinus6AndResetsTheEngine) {
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT | VRL_OUT_FILE_TYPE0, "fail.wav", nullptr), VRL_ERR_OPEN_OUTPUT);
  EXPECT_EQ(LastError(), "fail.wav\r\nCan't open device out");
  EXPECT_TRUE(Contains(EngineLog(), "reset"));
  EXPECT_FALSE(Contains(EngineLog(), "write a 10"));
  // The next request starts afresh.
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioSamples().size(), 160u);
}

TEST_F(PlayerTest, AFileThatStopsTakingSamplesGivesMinus6NotSuccess) {
  // 3200 samples to write; the stand-in's "full" file refuses everything after the first 100.
  EXPECT_EQ(VRL_Play("a 100\nb 100\n", VRL_WAIT | VRL_OUT_FILE_TYPE2, "full.raw", nullptr),
            VRL_ERR_OPEN_OUTPUT);
  EXPECT_EQ(LastError(), "full.raw\r\nCan't write device out");
  EXPECT_TRUE(Contains(EngineLog(), "reset"));
  EXPECT_TRUE(Contains(AudioLog(), "close"));  // the file is still closed, its header finished
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
}

TEST_F(PlayerTest, EngineFailuresBecomeMinus2AndMinus3) {
  EXPECT_EQ(VRL_Play("a 10\nERR 5\nb 10\n", VRL_WAIT, nullptr, nullptr), VRL_ERR_ENGINE);
  EXPECT_EQ(LastError(), "Varelo Error :\r\nline 2: unknown phoneme");
  EXPECT_TRUE(Contains(EngineLog(), "reset"));

  RefuseEngineWrites(true);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), VRL_ERR_WRITE);
  EXPECT_EQ(LastError(), "Can't write to varelo");
  RefuseEngineWrites(false);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_LastError(nullptr, 0), 0);
  char buf[100] = "untouched";
  EXPECT_EQ(VRL_LastError(buf, 100), 0);
  EXPECT_STREQ(buf, "untouched");
}

TEST_F(PlayerTest, WindowNotificationsCompleteWhileTheCallerWaits) {
  Recorder recorder;
  const char* text = "a 10\nb 10\n";
  EXPECT_EQ(VRL_Play(text, VRL_WAIT | VRL_NOTIFY_START | VRL_NOTIFY_LINE | VRL_NOTIFY_END, nullptr,
                     recorder.Window()),
            0);
  const std::vector<Notification> seen = recorder.Seen();
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0].offset, static_cast<unsigned>(VRL_MSG_START));
  EXPECT_EQ(seen[0].text, text);
  EXPECT_EQ(seen[0].second, VRL_KIND_PHONEMES);
  EXPECT_EQ(seen[1].text, ";; F =  1.000\n");  // the player's own ratio lines are announced too
  EXPECT_EQ(seen[2].text, ";; T =  1.000\n");
  EXPECT_EQ(seen[3].text, "a 10\n");
  EXPECT_EQ(seen[4].text, "b 10\n");
  EXPECT_EQ(seen[5].offset, static_cast<unsigned>(VRL_MSG_END));
  EXPECT_EQ(seen[5].text, text);
  for (const Notification& one : seen) EXPECT_EQ(one.thread, GetCurrentThreadId());
}

TEST_F(PlayerTest, ANonZeroStartReplySkipsTheRequestButEndStillComes) {
  Recorder recorder;
  recorder.SetReply(VRL_MSG_START, 1);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT | VRL_NOTIFY_START | VRL_NOTIFY_END, nullptr, recorder.Window()), 0);
  EXPECT_EQ(recorder.Offsets(), (std::vector<unsigned>{VRL_MSG_START, VRL_MSG_END}));
  EXPECT_EQ(EngineLog(), "");
  EXPECT_EQ(AudioLog(), "");
}

TEST_F(PlayerTest, CallbacksRunOnThePlayThreadAndCanVetoLinesAndBlocks) {
  Recorder recorder;
  recorder.SetSkippedLine("b 10\n");
  recorder.SetReply(VRL_MSG_AUDIO, 1);
  EXPECT_EQ(VRL_Play("a 10\nb 10\nc 20\n", VRL_WAIT | VRL_CALLBACK_FUNCTION | VRL_NOTIFY_LINE | VRL_NOTIFY_AUDIO,
                     nullptr, reinterpret_cast<void*>(&Recorder::Callback)),
            0);
  EXPECT_FALSE(Contains(EngineLog(), "write b 10"));
  EXPECT_TRUE(Contains(EngineLog(), "write c 20"));
  // Every block was vetoed, so the device got only the silence a sample-less close plays.
  EXPECT_EQ(AudioSamples(), std::vector<short>(4096, 0));
  intptr_t announced = 0;
  for (const Notification& one : recorder.Seen()) {
    EXPECT_NE(one.thread, GetCurrentThreadId());
    if (one.offset == VRL_MSG_AUDIO) announced += one.second;
  }
  EXPECT_EQ(announced, 160 + 320);
}

TEST_F(PlayerTest, MessageBaseMovesEveryNotification) {
  Recorder recorder;
  EXPECT_EQ(VRL_SetCallbackMsgBase(0x8000), 0);
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_CALLBACK_FUNCTION | VRL_NOTIFY_START | VRL_NOTIFY_END, nullptr,
                     reinterpret_cast<void*>(&Recorder::Callback)),
            0);
  EXPECT_EQ(recorder.Seen().size(), 2u);
  EXPECT_EQ(recorder.Seen()[0].offset, 0x8000u - VRL_DEFAULT_MSG_BASE);
  EXPECT_EQ(VRL_SetCallbackMsgBase(VRL_DEFAULT_MSG_BASE), 0);
}

TEST_F(PlayerTest, KeptOutputsRunOnAndOnlyTheLastQueuedRequestAnnouncesTheQueueEnd) {
  Recorder recorder;
  void* callback = reinterpret_cast<void*>(&Recorder::Callback);
  const int keep = VRL_KEEP_OUTPUT | VRL_NOTIFY_QUEUE_END | VRL_CALLBACK_FUNCTION;
  SetEngineWriteDelay(20);  // the second request is queued before the first ends
  EXPECT_EQ(VRL_Play("a 10\n", keep, nullptr, callback), 0);
  EXPECT_EQ(VRL_Play("b 10\n", keep, nullptr, callback), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  SetEngineWriteDelay(0);
  EXPECT_EQ(recorder.Offsets(), (std::vector<unsigned>{VRL_MSG_QUEUE_END}));
  EXPECT_EQ(AudioLog(), "open 1 (null) 0\nformat 16000 16 1 1\n");  // still open

  // A ratio applied now goes into the open output at once.
  EXPECT_EQ(VRL_SetPitchRatio(1.5f), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_TRUE(Contains(EngineLog(), "write ;; F =  1.500\n"));

  EXPECT_EQ(VRL_Play("c 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(AudioLog(), "open 1 (null) 0\nformat 16000 16 1 1\nclose\n");
  EXPECT_EQ(AudioSamples().size(), 3u * 160u);
}

TEST_F(PlayerTest, RatiosApplyInQueueOrderAndOpenTheNextOutput) {
  SetEngineWriteDelay(30);
  EXPECT_EQ(VRL_Play(LongText(5).c_str(), 0, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_SetPitchRatio(1.5f), 0);
  EXPECT_EQ(VRL_SetDurationRatio(0.8f), 0);
  EXPECT_EQ(VRL_IsPlaying(), 1);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.0f);  // not reached yet
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  SetEngineWriteDelay(0);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.5f);
  EXPECT_FLOAT_EQ(VRL_GetDurationRatio(), 0.8f);
  ClearEngineLog();
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_TRUE(Contains(EngineLog(), "write ;; F =  1.500\n\nflush\nwrite ;; T =  0.800\n"));
}

TEST_F(PlayerTest, IsPlayingFromTheMomentPlayReturnsEvenForAPendingRatio) {
  // The play thread may take a request before this thread asks (a busy machine can hold
  // this thread back for longer than the request takes): then it must already be done.
  EXPECT_EQ(VRL_SetPitchRatio(1.25f), 0);
  EXPECT_TRUE(VRL_IsPlaying() == 1 || VRL_GetPitchRatio() == 1.25f);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.25f);
  SetEngineWriteDelay(10);
  EXPECT_EQ(VRL_Play("a 1\n", 0, nullptr, nullptr), 0);
  EXPECT_TRUE(VRL_IsPlaying() == 1 || AudioLog().find("close") != std::string::npos);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_EQ(VRL_IsPlaying(), 0);
}

TEST_F(PlayerTest, StopEndsALongTextWithinALineAndDropsTheRestSilently) {
  Recorder recorder;
  void* callback = reinterpret_cast<void*>(&Recorder::Callback);
  SetEngineWriteDelay(5);
  const int notify = VRL_CALLBACK_FUNCTION | VRL_NOTIFY_START | VRL_NOTIFY_END;
  EXPECT_EQ(VRL_Play(LongText(2000).c_str(), notify, nullptr, callback), 0);
  EXPECT_EQ(VRL_Play("b 10\n", notify, nullptr, callback), 0);
  EXPECT_EQ(VRL_SetPitchRatio(2.0f), 0);
  while (!Contains(EngineLog(), "write a 10")) Sleep(1);
  EXPECT_EQ(VRL_Stop(), VRL_ERR_CANCELLED);
  SetEngineWriteDelay(0);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_EQ(LastError(), "Cancelled by user");
  EXPECT_EQ(recorder.Offsets(), (std::vector<unsigned>{VRL_MSG_START, VRL_MSG_END}));
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.0f);  // the queued ratio was dropped
  EXPECT_LT(AudioSamples().size(), 2000u * 160u);
  EXPECT_TRUE(Contains(AudioLog(), "stop\nclose\n"));
  EXPECT_TRUE(Contains(EngineLog(), "reset"));
  EXPECT_FALSE(Contains(EngineLog(), "write b 10"));
  // The player goes on afterwards.
  EXPECT_EQ(VRL_Play("c 10\n", VRL_WAIT, nullptr, nullptr), 0);
}

// A notification function that asks for a stop when the line "b 10" comes.
int VRL_API StopAtLineB(unsigned message, VRL_PARAM first, VRL_PARAM) {
  if (message == VRL_DEFAULT_MSG_BASE + VRL_MSG_LINE && std::string(reinterpret_cast<const char*>(first)) == "b 10\n") {
    VRL_Stop();
  }
  return 0;
}

TEST_F(PlayerTest, AStopFromACallbackOnThePlayThreadCancelsAndIsThenLowered) {
  SetEngineWriteDelay(20);  // the second request is queued before the first reaches its line b
  EXPECT_EQ(VRL_Play("a 10\nb 10\nc 10\n", VRL_CALLBACK_FUNCTION | VRL_NOTIFY_LINE, nullptr,
                     reinterpret_cast<void*>(&StopAtLineB)),
            0);
  EXPECT_EQ(VRL_Play("d 10\n", 0, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_WaitForEnd(), VRL_ERR_CANCELLED);
  SetEngineWriteDelay(0);
  EXPECT_TRUE(Contains(EngineLog(), "write a 10"));
  EXPECT_FALSE(Contains(EngineLog(), "write c 10"));
  EXPECT_FALSE(Contains(EngineLog(), "write d 10"));
  EXPECT_EQ(VRL_Play("e 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_TRUE(Contains(EngineLog(), "write e 10"));
}

// A notification function that unloads the player when the line "b 10" comes.
int VRL_API UnloadAtLineB(unsigned message, VRL_PARAM first, VRL_PARAM) {
  if (message == VRL_DEFAULT_MSG_BASE + VRL_MSG_LINE && std::string(reinterpret_cast<const char*>(first)) == "b 10\n") {
    VRL_VRLUnload();
  }
  return 0;
}

TEST_F(PlayerTest, AnUnloadFromACallbackEndsTheRequestLikeAStopAndLeavesAWorkingPlayer) {
  SetEngineWriteDelay(20);  // the second request is queued before the first reaches its line b
  EXPECT_EQ(VRL_Play("a 10\nb 10\nc 10\n", VRL_CALLBACK_FUNCTION | VRL_NOTIFY_LINE, nullptr,
                     reinterpret_cast<void*>(&UnloadAtLineB)),
            0);
  EXPECT_EQ(VRL_Play("d 10\n", 0, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_WaitForEnd(), VRL_ERR_CANCELLED);
  SetEngineWriteDelay(0);
  EXPECT_EQ(VRL_IsPlaying(), 0);  // a caller polling this must not wait for ever
  EXPECT_FALSE(Contains(EngineLog(), "write c 10"));
  EXPECT_FALSE(Contains(EngineLog(), "write d 10"));
  EXPECT_EQ(VRL_Play("e 10\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_TRUE(Contains(EngineLog(), "write e 10"));
  EXPECT_EQ(VRL_IsPlaying(), 0);
}

TEST_F(PlayerTest, RatiosTheEngineCannotUseAreRefusedWhereGivenAndTheOldOnesKept) {
  const float unusable[] = {0.0f, -1.0f, NAN, INFINITY, -INFINITY, 1e30f, 0.04f, 20.5f};
  for (float ratio : unusable) {
    EXPECT_EQ(VRL_SetPitchRatio(ratio), VRL_ERR_BAD_COMMAND) << ratio;
    EXPECT_TRUE(Contains(LastError(), "Pitch ratio")) << LastError();
    EXPECT_EQ(VRL_SetDurationRatio(ratio), VRL_ERR_BAD_COMMAND) << ratio;
    EXPECT_TRUE(Contains(LastError(), "Duration ratio")) << LastError();
    if (ratio != 0.0f && ratio != 0.04f) {  // a volume of 0 is silence, and below 0.05 quiet
      EXPECT_EQ(VRL_SetVolumeRatio(ratio), VRL_ERR_BAD_COMMAND) << ratio;
      EXPECT_TRUE(Contains(LastError(), "Volume ratio")) << LastError();
    }
  }
  EXPECT_EQ(VRL_WaitForEnd(), VRL_ERR_BAD_COMMAND);  // nothing was queued
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.0f);
  EXPECT_FLOAT_EQ(VRL_GetDurationRatio(), 1.0f);
  EXPECT_FLOAT_EQ(VRL_GetVolumeRatio(), 1.0f);
  // The next play runs as before, with the old ratios.
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_TRUE(Contains(EngineLog(), "write ;; F =  1.000\n\nflush\nwrite ;; T =  1.000\n"));
  // The ends of the range are ratios like any other.
  EXPECT_EQ(VRL_SetPitchRatio(0.05f), 0);
  EXPECT_EQ(VRL_SetDurationRatio(20.0f), 0);
  EXPECT_EQ(VRL_SetVolumeRatio(0.0f), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 0.05f);
  EXPECT_FLOAT_EQ(VRL_GetDurationRatio(), 20.0f);
}

TEST_F(PlayerTest, ACommandStreamRatioTheEngineCannotUseEndsTheRequestAndKeepsTheOldRatio) {
  EXPECT_EQ(VRL_Play("time=0.5\ntime=1e30\npitch=2\n", VRL_WAIT | VRL_COMMANDS, nullptr, nullptr),
            VRL_ERR_BAD_COMMAND);
  EXPECT_TRUE(Contains(LastError(), "time= 1e+30")) << LastError();
  EXPECT_FLOAT_EQ(VRL_GetDurationRatio(), 0.5f);
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.0f);  // the stream ended at the refused line
  EXPECT_EQ(VRL_Play("pitch=-3\n", VRL_WAIT | VRL_COMMANDS, nullptr, nullptr), VRL_ERR_BAD_COMMAND);
  EXPECT_EQ(VRL_Play("vol=1e30\n", VRL_WAIT | VRL_COMMANDS, nullptr, nullptr), VRL_ERR_BAD_COMMAND);
  EXPECT_FLOAT_EQ(VRL_GetVolumeRatio(), 1.0f);
  ClearEngineLog();
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT, nullptr, nullptr), 0);  // and later plays work
  EXPECT_TRUE(Contains(EngineLog(), "write ;; T =  0.500\n")) << EngineLog();
}

TEST_F(PlayerTest, AMissingPhonemeFileFailsWithMinus4AndTheNextRequestRuns) {
  const std::string missing = TempFile("vrlplay_absent_dir\\none.pho", "");
  EXPECT_EQ(VRL_Play(missing.c_str(), VRL_FROM_FILE, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_Play("a 10\n", 0, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_WaitForEnd(), 0);
  EXPECT_EQ(AudioSamples().size(), 160u);
  EXPECT_EQ(VRL_Play(missing.c_str(), VRL_FROM_FILE | VRL_WAIT, nullptr, nullptr), VRL_ERR_OPEN_FILE);
  EXPECT_EQ(LastError(), "Can't open " + missing + " file");
}

TEST_F(PlayerTest, PhonemeFilesArePlayedWholeEvenWithoutAFinalLineEnd) {
  const std::string file = TempFile("vrlplay_test.pho", "a 10\r\nb 10");
  Recorder recorder;
  EXPECT_EQ(VRL_Play(file.c_str(), VRL_FROM_FILE | VRL_WAIT | VRL_CALLBACK_FUNCTION | VRL_NOTIFY_START, nullptr,
                     reinterpret_cast<void*>(&Recorder::Callback)),
            0);
  EXPECT_TRUE(Contains(EngineLog(), "write a 10\n\nwrite b 10\n"));
  ASSERT_EQ(recorder.Seen().size(), 1u);
  EXPECT_EQ(recorder.Seen()[0].text, file);
  EXPECT_EQ(recorder.Seen()[0].second, VRL_KIND_PHONEME_FILE);
}

TEST_F(PlayerTest, CommandStreamsDriveTheEngineAndIncludeFiles) {
  const std::string phonemes = TempFile("vrlplay_cmd_inner.pho", "b 10\n");
  const std::string inner = TempFile("vrlplay_cmd_inner.PHS", "time=0.5\n" + phonemes + "\n");
  const std::string text = "vol=0.5\nvoice=8000\nnoerror=On\npitch=0\npitch=1.25\n ; note\n" + inner +
                           "\ndatabase=pl1\nvoice=16000\n";
  EXPECT_EQ(VRL_Play(text.c_str(), VRL_COMMANDS | VRL_WAIT, nullptr, nullptr), 0) << LastError();
  const std::string log = EngineLog();
  EXPECT_TRUE(Contains(log, "volume 0.500000\nfreq 8000\nnoerror 1\n")) << log;
  EXPECT_TRUE(Contains(log, "write ;; F =  1.250\n")) << log;  // opened by the phoneme file
  EXPECT_TRUE(Contains(log, "write ;; T =  0.500\n")) << log;
  EXPECT_TRUE(Contains(log, "write b 10\n")) << log;
  EXPECT_TRUE(Contains(log, "init pl1\n")) << log;
  EXPECT_FLOAT_EQ(VRL_GetPitchRatio(), 1.25f);
  EXPECT_FLOAT_EQ(VRL_GetDurationRatio(), 0.5f);
  // The output opened at the engine's rate of that moment and closed at the end.
  EXPECT_EQ(AudioLog(), "open 1 (null) 0\nformat 8000 16 1 1\nclose\n");
  EXPECT_EQ(AudioSamples().size(), 80u);
}

TEST_F(PlayerTest, ACommandFileNamingItselfIsRefusedNotRecursedForEver) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string self = std::string(folder) + "vrlplay_self.phs";
  TempFile("vrlplay_self.phs", "voice=16000\n" + self + "\n");
  EXPECT_EQ(VRL_Play(self.c_str(), VRL_COMMANDS | VRL_FROM_FILE | VRL_WAIT, nullptr, nullptr), VRL_ERR_OPEN_FILE);
  EXPECT_EQ(LastError(), "Can't open " + self + " file");
}

TEST_F(PlayerTest, DatabaseSelectionUsesTheRegistryPathOrTheIdAndRefusalsAreMinus7) {
  ClearDatabaseList();
  char buf[64];
  EXPECT_EQ(VRL_GetDatabase(buf, 1), 1);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(VRL_SetDatabase("pl1"), 0);
  EXPECT_TRUE(Contains(EngineLog(), "init pl1\n"));
  EXPECT_EQ(VRL_GetDatabase(buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "pl1");

  ASSERT_EQ(VRL_RegisterDatabase("tstvoice", "C:\\voices\\tst.db", "Test", 0, nullptr, 0), 1);
  EXPECT_EQ(VRL_SetDatabaseEx("tstvoice", "a b", nullptr), 0);
  EXPECT_TRUE(Contains(EngineLog(), "close\nrename C:\\voices\\tst.db|a b|(null)\n"));

  EXPECT_EQ(VRL_SetDatabase("bad9"), VRL_ERR_LOAD_DATABASE);
  EXPECT_EQ(LastError(), "Can't load the bad9 database");
  EXPECT_EQ(VRL_GetDatabase(buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "");

  // Phoneme text is refused until another request runs; commands are still queued.
  ClearEngineLog();
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), VRL_ERR_LOAD_DATABASE);
  EXPECT_EQ(EngineLog(), "");
  EXPECT_EQ(VRL_Play("voice=16000\n", VRL_COMMANDS | VRL_NO_OUTPUT | VRL_WAIT, nullptr, nullptr), 0);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
  ClearDatabaseList();
}

TEST_F(PlayerTest, EngineSettingsAndInformationComeStraightFromTheEngine) {
  EXPECT_EQ(VRL_SetVoiceFreq(22050), 0);
  EXPECT_EQ(VRL_GetVoiceFreq(), 22050);
  EXPECT_EQ(VRL_GetDefaultFreq(), 22050);
  EXPECT_EQ(VRL_SetVoiceFreq(16000), 0);
  EXPECT_EQ(VRL_SetVolumeRatio(0.25f), 0);
  EXPECT_FLOAT_EQ(VRL_GetVolumeRatio(), 0.25f);
  EXPECT_EQ(VRL_SetNoError(1), 0);
  EXPECT_EQ(VRL_GetNoError(), 1);

  char buf[100];
  EXPECT_EQ(VRL_GetVersion(buf, sizeof buf), 42);
  EXPECT_STREQ(buf, "fake 1.0");
  EXPECT_EQ(VRL_GetVersion(nullptr, 10), -1);

  const std::string first = "Name: fake\r\nRate: 16000\r\n\r\n";
  EXPECT_EQ(VRL_GetDatabaseInfo(0, nullptr, 0), static_cast<int>(first.size()));
  EXPECT_EQ(VRL_GetDatabaseInfo(0, buf, sizeof buf), static_cast<int>(first.size()));
  EXPECT_EQ(buf, first);
  EXPECT_EQ(VRL_GetDatabaseInfo(0, buf, 5), static_cast<int>(first.size()));
  EXPECT_STREQ(buf, "Name");
  // An engine that says "none" with a negative size: 0 either way, and nothing written.
  EXPECT_EQ(VRL_GetDatabaseInfo(7, nullptr, 0), 0);
  buf[0] = 'x';
  EXPECT_EQ(VRL_GetDatabaseInfo(7, buf, sizeof buf), 0);
  EXPECT_EQ(buf[0], 'x');

  const std::string all = first + "Built: by hand\r\n\r\n";
  EXPECT_EQ(VRL_GetDatabaseAllInfo(nullptr, 0), static_cast<int>(all.size()));
  EXPECT_EQ(VRL_GetDatabaseAllInfo(buf, sizeof buf), 0);
  EXPECT_EQ(buf, all);
}

TEST_F(PlayerTest, BadArgumentsFailCleanly) {
  EXPECT_EQ(VRL_Play(nullptr, VRL_WAIT, nullptr, nullptr), VRL_ERR_BAD_COMMAND);
  EXPECT_EQ(LastError(), "Unknown command");
  EXPECT_EQ(VRL_SetDatabase(nullptr), VRL_ERR_BAD_COMMAND);
  EXPECT_EQ(VRL_SetDatabaseEx(nullptr, nullptr, nullptr), VRL_ERR_BAD_COMMAND);
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(VRL_GetDatabase(nullptr, 10), 0);
  EXPECT_EQ(VRL_GetDatabase(buf, 0), 0);
  EXPECT_EQ(VRL_GetDatabase(buf, -3), 0);
  EXPECT_EQ(VRL_LastError(buf, 0), 0);
  EXPECT_EQ(buf[0], 'x');
  EXPECT_EQ(VRL_GetDatabaseInfo(0, buf, 0), 27);  // the size, with nothing written
  EXPECT_EQ(buf[0], 'x');
  // A callback request without a function, and notification bits without a target, are harmless.
  EXPECT_EQ(VRL_Play("a 1\n", VRL_WAIT | VRL_CALLBACK_FUNCTION | VRL_NOTIFY_START | VRL_NOTIFY_END, nullptr,
                     nullptr),
            0);
}

TEST_F(PlayerTest, TeardownWithAFullQueueStopsEverythingAndALaterCallStartsAfresh) {
  EXPECT_EQ(VRL_SetDatabase("pl1"), 0);
  SetEngineWriteDelay(5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(VRL_Play(LongText(500).c_str(), 0, nullptr, nullptr), 0);
  while (!Contains(EngineLog(), "write a 10")) Sleep(1);
  VRL_VRLUnload();
  SetEngineWriteDelay(0);
  const std::string log = EngineLog();
  EXPECT_TRUE(Contains(log, "reset\n")) << log;
  EXPECT_EQ(log.substr(log.size() - 6), "close\n");  // the loaded database, last of all
  EXPECT_TRUE(Contains(AudioLog(), "stop\nclose\n"));
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_EQ(VRL_Play("a 10\n", VRL_WAIT, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace mowik::test
