// The player on the real audio library, beside the stand-in engine (each phoneme line gives
// a run of samples holding the line's number): what the sound device played, as the ALSA
// capture heard it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "testing/alsa_capture.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

using testing::CapturedSamples;
using testing::CapturePath;

// The runs of equal non-zero samples that were heard, in order, as (value, length); the
// device's own silence between and around them is left out.
std::vector<std::pair<int, size_t>> HeardRuns() {
  std::vector<std::pair<int, size_t>> runs;
  for (int16_t sample : CapturedSamples()) {
    if (sample == 0) continue;
    if (!runs.empty() && runs.back().first == sample)
      ++runs.back().second;
    else
      runs.emplace_back(sample, 1);
  }
  return runs;
}

size_t HeardCount() {
  size_t heard = 0;
  for (const auto& run : HeardRuns()) heard += run.second;
  return heard;
}

std::string LongText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += "a 10\n";
  return text;
}

class RealAudio : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(CapturePath().empty()) << "run through ctest, which sets up the ALSA capture"; }
  void TearDown() override { VRL_VRLUnload(); }
};

TEST_F(RealAudio, PhonemeTextIsHeardWholeBeforeAWaitingPlayReturns) {
  ASSERT_EQ(VRL_Play("a 100\nb 200\n", VRL_WAIT, nullptr, nullptr), 0);
  // The device close waited for the end of playback: everything is in the capture already.
  const auto runs = HeardRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].second, 1600u);
  EXPECT_EQ(runs[1].second, 3200u);
  EXPECT_EQ(runs[1].first, runs[0].first + 1);
}

TEST_F(RealAudio, KeptOutputPlaysQueuedTextsOnOneDevice) {
  ASSERT_EQ(VRL_Play("a 50\n", VRL_KEEP_OUTPUT, nullptr, nullptr), 0);
  ASSERT_EQ(VRL_Play("b 50\n", VRL_KEEP_OUTPUT, nullptr, nullptr), 0);
  ASSERT_EQ(VRL_Play("c 50\n", VRL_WAIT, nullptr, nullptr), 0);
  // One opening of the device (each opening starts the capture afresh) heard all three.
  const auto runs = HeardRuns();
  ASSERT_EQ(runs.size(), 3u);
  for (const auto& run : runs) EXPECT_EQ(run.second, 800u);
}

int VRL_API VetoEveryBlock(unsigned, VRL_PARAM, VRL_PARAM) { return 1; }

TEST_F(RealAudio, ADeviceThatGotNoSamplesPlaysSilenceAndCloses) {
  ASSERT_EQ(VRL_Play("a 100\n", VRL_WAIT | VRL_CALLBACK_FUNCTION | VRL_NOTIFY_AUDIO, nullptr,
                     reinterpret_cast<void*>(&VetoEveryBlock)),
            0);
  const auto captured = CapturedSamples();
  EXPECT_GE(captured.size(), 4096u);
  EXPECT_TRUE(std::all_of(captured.begin(), captured.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(RealAudio, StopSilencesTheDeviceAndThePlayerGoesOn) {
  // Four seconds of speech; the device runs about half a second ahead of what it plays.
  ASSERT_EQ(VRL_Play(LongText(400).c_str(), 0, nullptr, nullptr), 0);
  Sleep(300);
  EXPECT_EQ(VRL_Stop(), VRL_ERR_CANCELLED);
  EXPECT_EQ(VRL_IsPlaying(), 0);
  EXPECT_LT(HeardCount(), 2u * 16000u);
  // The next text opens the device afresh and is heard whole.
  ASSERT_EQ(VRL_Play("b 100\n", VRL_WAIT, nullptr, nullptr), 0);
  const auto runs = HeardRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].second, 1600u);
}

}  // namespace
}  // namespace mowik
