// CAudioOutput against the fake audio library beside this test: the calls it makes, the
// status codes, the write loops, the half-rate G.711 path and the close and stop rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "vrlplay/audio/audio_output.h"
#include "soundformat/half_rate_g711.h"
#include "vrlplay/audio/tests/fake_vovedodudo.h"

namespace mowik {
namespace {

using testing::FakeAudio;
using testing::FakeAudioBehaviour;
using Lines = std::vector<std::string>;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// The output's window (message-only) among this thread's windows; other test programs may
// have theirs.
HWND OutputWindow() {
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, "AudioOut", nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, "AudioOut", nullptr)) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) return window;
  }
  return nullptr;
}

bool ClassRegistered() {
  WNDCLASSA info;
  return GetClassInfoA(Instance(), "AudioOut", &info) != 0;
}

std::vector<int16_t> Ramp(int count) {
  std::vector<int16_t> samples(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) samples[static_cast<size_t>(i)] = static_cast<int16_t>(i * 37 - 15000);
  return samples;
}

TEST(AudioOutputContract, FlagsChooseTheOutputAndItsLibraryCalls) {
  struct Case {
    int flags;
    int kind;
    Lines calls;
  };
  const Case cases[] = {
      {kOutputFileType0, 0, {"open 2 out.snd 0 0", "format 16000 16 1 1 0"}},
      {kOutputFileType0 | kOutputALaw, 0, {"open 2 out.snd 0 0", "format 8000 8 1 6 0"}},
      {kOutputFileType0 | kOutputMuLaw, 0, {"open 2 out.snd 0 0", "format 8000 8 1 7 0"}},
      {kOutputFileType0 | kOutputALaw | kOutputMuLaw, 0, {"open 2 out.snd 0 0", "format 8000 8 1 6 0"}},
      {kOutputFileType0 | kOutputFileType1 | kOutputFileType2, 0, {"open 2 out.snd 0 0", "format 16000 16 1 1 0"}},
      {kOutputFileType1 | kOutputALaw, 1, {"open 2 out.snd 0 1", "format 16000 16 1 1 0"}},
      {kOutputFileType1 | kOutputFileType2, 1, {"open 2 out.snd 0 1", "format 16000 16 1 1 0"}},
      {kOutputFileType2 | kOutputMuLaw, 2, {"open 2 out.snd 0 2", "format 16000 16 1 1 0"}},
      {kOutputALaw, kOutputKindDevice, {"open 1 (null) 0 0", "format 16000 16 1 1 0"}},
  };
  for (const Case& c : cases) {
    FakeAudio fake;
    auto output = OpenAudioOutput(Instance(), c.flags, "out.snd", 16000);
    EXPECT_EQ(output->Status(), kOutputReady) << c.flags;
    EXPECT_EQ(output->Kind(), c.kind) << c.flags;
    EXPECT_EQ(fake.Log(), c.calls) << std::hex << c.flags;
    output->Stop();
  }
}

TEST(AudioOutputContract, FailedOpenReleasesWindowAndClassButNotTheLibrary) {
  FakeAudioBehaviour behaviour;
  behaviour.openFails = true;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), kOutputFileType0, "out.wav", 16000);
  EXPECT_EQ(output->Status(), kOutputOpenFailed);
  EXPECT_NE(OutputWindow(), nullptr);
  EXPECT_TRUE(ClassRegistered());
  EXPECT_FALSE(output->Write(Ramp(10).data(), 10));
  output->Stop();
  output.reset();
  EXPECT_EQ(OutputWindow(), nullptr);
  EXPECT_FALSE(ClassRegistered());
  EXPECT_EQ(fake.Log(), (Lines{"open 2 out.wav 0 0"})) << "neither AudioStop nor AudioClose";
}

TEST(AudioOutputContract, RefusedFormatIsAFailureThatStillReleasesTheLibrary) {
  FakeAudioBehaviour behaviour;
  behaviour.formatRefused = true;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), kOutputFileType1, "out.au", 16000);
  EXPECT_EQ(output->Status(), kOutputFormatRefused);
  output.reset();
  EXPECT_EQ(fake.Log(), (Lines{"open 2 out.au 0 1", "format 16000 16 1 1 0", "close"}));
  EXPECT_EQ(OutputWindow(), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

TEST(AudioOutputContract, SixteenBitWriteOffersTheRestUntilAllIsTaken) {
  FakeAudioBehaviour behaviour;
  behaviour.takeAtMost = 300;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), kOutputFileType2, "out.raw", 16000);
  const auto samples = Ramp(1000);
  EXPECT_TRUE(output->Write(samples.data(), 1000));
  EXPECT_EQ(output->SamplesWritten(), 1000);
  output.reset();
  const Lines log = fake.Log();
  EXPECT_EQ(Lines(log.begin() + 2, log.end()),
            (Lines{"write 2 1000 -> 300", "write 2 700 -> 300", "write 2 400 -> 300", "write 2 100 -> 100",
                   "close"}));
  const auto data = fake.Data();
  ASSERT_EQ(data.size(), 2000u);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), reinterpret_cast<const uint8_t*>(samples.data())));
}

TEST(AudioOutputContract, RefusedWriteEndsTheLoopInsteadOfSpinning) {
  FakeAudioBehaviour behaviour;
  behaviour.takeAtMost = 100;
  behaviour.refuseAfter = 200;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), kOutputFileType0, "out.wav", 16000);
  EXPECT_FALSE(output->Write(Ramp(1000).data(), 1000));
  EXPECT_EQ(output->SamplesWritten(), 200);
}

// Zeros through the shared filter leave its history all zero, as at first use.
void ClearLibraryFilterHistory() {
  FakeAudio fake;
  auto output = OpenAudioOutput(Instance(), kOutputFileType0 | kOutputALaw, "zero.wav", 16000);
  const std::vector<int16_t> zeros(402, 0);
  output->Write(zeros.data(), 402);
}

TEST(AudioOutputContract, ALawWritesHalfAsManyFilteredBytesAndKeepsTheHistoryAcrossOutputs) {
  ClearLibraryFilterHistory();
  const auto first = Ramp(4097), second = Ramp(1000);
  DecimationFilter reference;
  std::vector<uint8_t> expected(2048 + 500);
  EncodeHalfRateG711(reference, G711Law::kALaw, first.data(), 4097, expected.data());
  EncodeHalfRateG711(reference, G711Law::kALaw, second.data(), 1000, expected.data() + 2048);

  FakeAudio fake;
  auto output = OpenAudioOutput(Instance(), kOutputFileType0 | kOutputALaw, "a.wav", 16000);
  EXPECT_TRUE(output->Write(first.data(), 4097));
  EXPECT_EQ(output->SamplesWritten(), 2048);
  output.reset();
  auto next = OpenAudioOutput(Instance(), kOutputFileType0 | kOutputALaw, "b.wav", 16000);
  EXPECT_TRUE(next->Write(second.data(), 1000));
  next.reset();

  const Lines log = fake.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "write 1 2048 -> 2048"), log.end());
  EXPECT_EQ(fake.Data(), expected);
}

TEST(AudioOutputContract, MuLawUsesTheMuLawEncoder) {
  ClearLibraryFilterHistory();
  const auto samples = Ramp(600);
  DecimationFilter reference;
  std::vector<uint8_t> expected(300);
  EncodeHalfRateG711(reference, G711Law::kMuLaw, samples.data(), 600, expected.data());
  FakeAudio fake;
  auto output = OpenAudioOutput(Instance(), kOutputFileType0 | kOutputMuLaw, "u.wav", 16000);
  EXPECT_TRUE(output->Write(samples.data(), 600));
  output.reset();
  EXPECT_EQ(fake.Data(), expected);
}

TEST(AudioOutputContract, DeviceWithoutSamplesPlaysSilenceAndClosesAfterThePlayedMessage) {
  FakeAudioBehaviour behaviour;
  behaviour.playedAfterMs = 300;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  ASSERT_EQ(output->Status(), kOutputReady);
  output.reset();
  const Lines log = fake.Log();
  EXPECT_EQ(log, (Lines{"open 1 (null) 0 0", "format 16000 16 1 1 0", "write 2 4096 -> 4096", "played", "close"}));
  const auto data = fake.Data();
  EXPECT_EQ(data.size(), 8192u);
  EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_FALSE(PlaybackFinished()) << "cleared by the close";
}

TEST(AudioOutputContract, DeviceThatNeverReportsTheEndIsClosedAnyway) {
  FakeAudioBehaviour behaviour;
  behaviour.playedAfterMs = -1;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  output->Write(Ramp(1600).data(), 1600);
  output.reset();
  const Lines log = fake.Log();
  EXPECT_EQ(log.back(), "close");
}

TEST(AudioOutputContract, AStopAskedForElsewhereEndsTheCloseWaitAndSilencesTheDevice) {
  FakeAudioBehaviour behaviour;
  behaviour.playedAfterMs = -1;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  output->Write(Ramp(1600).data(), 1600);
  int asked = 0;
  output->SetStopCheck([&asked] { return ++asked >= 3; });
  output.reset();
  EXPECT_EQ(asked, 3);  // asked while waiting, and the wait ended at the first yes
  const Lines log = fake.Log();
  EXPECT_EQ(Lines(log.end() - 2, log.end()), (Lines{"stop", "close"}));
}

TEST(AudioOutputContract, AStopAskedForElsewhereEndsAWriteTheDeviceIsPacing) {
  FakeAudioBehaviour behaviour;
  behaviour.takeAtMost = 100;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  bool stop = false;
  output->SetStopCheck([&stop] { return stop; });
  EXPECT_TRUE(output->Write(Ramp(1000).data(), 1000));  // asked between calls, said no
  stop = true;
  EXPECT_FALSE(output->Write(Ramp(1000).data(), 1000));
  EXPECT_EQ(output->SamplesWritten(), 1100);  // one call, then the stop
  EXPECT_TRUE(PlaybackFinished());
  output.reset();
  // The fake reports playback from a thread of its own, so "played" may come at any point.
  Lines calls;
  for (const std::string& line : fake.Log())
    if (line != "played") calls.push_back(line);
  EXPECT_EQ(Lines(calls.end() - 2, calls.end()), (Lines{"stop", "close"}));
}

TEST(AudioOutputContract, StopThenDestroyDoesNotWait) {
  FakeAudioBehaviour behaviour;
  behaviour.playedAfterMs = -1;
  FakeAudio fake(behaviour);
  auto output = OpenAudioOutput(Instance(), 0, nullptr, 16000);
  output->Write(Ramp(1600).data(), 1600);
  output->Stop();
  EXPECT_TRUE(PlaybackFinished());
  // A close that waited would have dispatched this thread's messages, this one included.
  PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  output.reset();
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
  const Lines log = fake.Log();
  EXPECT_EQ(Lines(log.end() - 2, log.end()), (Lines{"stop", "close"}));
}

TEST(AudioOutputContract, CloseTwiceClosesOnce) {
  FakeAudio fake;
  auto output = OpenAudioOutput(Instance(), kOutputFileType2, "once.raw", 16000);
  output->Close();
  output->Close();
  output.reset();
  EXPECT_EQ(fake.Log(), (Lines{"open 2 once.raw 0 2", "format 16000 16 1 1 0", "close"}));
}

TEST(AudioOutputContract, WindowMessagesDriveThePlaybackFlag) {
  FakeAudio fake;
  auto output = OpenAudioOutput(Instance(), kOutputFileType2, "flag.raw", 16000);
  const HWND window = OutputWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(PlaybackFinished());
  EXPECT_EQ(SendMessageA(window, WM_USER + 101, 0, 0), 0);
  EXPECT_TRUE(PlaybackFinished());
  EXPECT_EQ(SendMessageA(window, WM_USER + 100, 0, 0), 0);
  EXPECT_FALSE(PlaybackFinished());
}

}  // namespace
}  // namespace mowik
