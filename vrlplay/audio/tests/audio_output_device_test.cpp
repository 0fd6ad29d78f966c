// CAudioOutput on the real audio library: what the sound device plays, as the ALSA capture
// hears it.
#include <gtest/gtest.h>

#include <algorithm>

#include "vrlplay/audio/audio_output.h"
#include "testing/alsa_capture.h"

namespace mowik {
namespace {

using testing::CapturedSamples;
using testing::CapturePath;
using testing::PlayedInOrder;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

std::vector<int16_t> Speech(size_t count) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    samples[i] = static_cast<int16_t>((i * 2749) % 40000 - 20000);
    if (samples[i] == 0) samples[i] = -1;  // the device's own silence is then told apart
  }
  return samples;
}

TEST(DeviceOutput, PlaysEverySampleWrittenBeforeItCloses) {
  ASSERT_FALSE(CapturePath().empty()) << "run through ctest, which sets up the ALSA capture";
  const auto samples = Speech(3 * 4096 + 100);
  {
    auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
    ASSERT_EQ(output->Status(), kOutputReady);
    ASSERT_EQ(output->Kind(), kOutputKindDevice);
    for (size_t at = 0; at < samples.size(); at += 4096)
      EXPECT_TRUE(output->Write(samples.data() + at, static_cast<int>(std::min<size_t>(4096, samples.size() - at))));
    EXPECT_EQ(output->SamplesWritten(), static_cast<int>(samples.size()));
  }  // the close waits for the end of playback; closing earlier would cut the tail off
  EXPECT_FALSE(PlaybackFinished());
  size_t silence = 0;
  EXPECT_TRUE(PlayedInOrder(CapturedSamples(), samples, &silence));
  std::printf("device silence around the samples: %zu samples\n", silence);
}

TEST(DeviceOutput, WithoutSamplesPlaysSilenceWhenClosed) {
  OpenAudioOutput(Instance(), 0, nullptr, 16000).reset();
  const auto captured = CapturedSamples();
  EXPECT_GE(captured.size(), 4096u);
  EXPECT_TRUE(std::all_of(captured.begin(), captured.end(), [](int16_t s) { return s == 0; }));
}

TEST(DeviceOutput, StopSilencesAtOnceAndTheCloseDoesNotWait) {
  const auto samples = Speech(4096);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  for (int block = 0; block < 10; ++block) output->Write(samples.data(), 4096);
  output->Stop();
  output.reset();
  // The device took about half a second ahead at most; ten blocks are 2.5 seconds.
  const auto captured = CapturedSamples();
  const auto heard = std::count_if(captured.begin(), captured.end(), [](int16_t s) { return s != 0; });
  EXPECT_LT(heard, 10 * 4096);
}

}  // namespace
}  // namespace mowik
