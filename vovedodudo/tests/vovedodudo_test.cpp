// The audio library itself, loaded for real: its exports, its refusals, a file through it,
// and the sound device as the ALSA capture hears it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "vovedodudo/vovedodudo.h"
#include "testing/alsa_capture.h"
#include "testing/scratch_file.h"

namespace mowik {
namespace {

using testing::CapturedSamples;
using testing::CapturePath;
using testing::Le32;
using testing::ReadBytes;
using testing::ScratchPath;

TEST(Vovedodudo, ExportsItsSevenFunctionsByOrdinalOnly) {
  const HMODULE library = LoadLibraryA("vovedodudo.dll");
  ASSERT_NE(library, nullptr);
  for (int ordinal = 1; ordinal <= 7; ++ordinal)
    EXPECT_NE(GetProcAddress(library, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
  EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(8)), nullptr);
  EXPECT_EQ(GetProcAddress(library, "AudioOpen"), nullptr);
  FreeLibrary(library);
}

TEST(Vovedodudo, RefusesWhatItCannotDo) {
  EXPECT_EQ(AudioOpen(0, nullptr, "x.wav", 0, 0), nullptr);
  EXPECT_EQ(AudioOpen(3, nullptr, "x.wav", 0, 0), nullptr);
  EXPECT_EQ(AudioOpen(AUDIO_MODE_FILE, nullptr, nullptr, 0, 0), nullptr);
  EXPECT_EQ(AudioOpen(AUDIO_MODE_FILE, nullptr, "x.wav", 0, 3), nullptr);
  EXPECT_EQ(AudioOpen(AUDIO_MODE_FILE, nullptr, "x.wav", 0, -1), nullptr);
  EXPECT_EQ(AudioOpen(AUDIO_MODE_FILE, nullptr, (ScratchPath("-none") + "\\x.wav").c_str(), 0, 0), nullptr);

  // Handles it never gave out, and one already closed, are refused without harm.
  int made_up = 0;
  const int16_t samples[2] = {1, 2};
  EXPECT_NE(AudioSetFormat(&made_up, 16000, 16, 1, 1, 0), 0);
  EXPECT_LT(AudioWrite(samples, 2, 2, &made_up), 0);
  EXPECT_LT(AudioWrite(samples, 2, 2, nullptr), 0);
  AudioStop(&made_up);
  AudioClose(&made_up);
  AudioClose(nullptr);

  const std::string path = ScratchPath(".wav");
  AUDIOHANDLE file = AudioOpen(AUDIO_MODE_FILE, nullptr, path.c_str(), 0, AUDIO_FILE_WAVE);
  ASSERT_NE(file, nullptr);
  EXPECT_LT(AudioWrite(samples, 2, 2, file), 0) << "no format yet";
  EXPECT_NE(AudioSetFormat(file, 16000, 16, 1, 3, 0), 0);
  EXPECT_NE(AudioSetFormat(file, 16000, 8, 1, 1, 0), 0);
  EXPECT_EQ(AudioSetFormat(file, 16000, 16, 1, 1, 0), 0);
  EXPECT_LT(AudioWrite(samples, 1, 2, file), 0) << "1-byte samples in a 16-bit file";
  EXPECT_LT(AudioWrite(samples, 2, -5, file), 0);
  AudioClose(file);
  AudioClose(file);
  EXPECT_LT(AudioWrite(samples, 2, 2, file), 0) << "closed";
  std::remove(path.c_str());

  AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, nullptr, nullptr, 0, 0);
  ASSERT_NE(device, nullptr);
  EXPECT_NE(AudioSetFormat(device, 8000, 8, 1, AUDIO_TAG_ALAW, 0), 0) << "the device plays 16-bit PCM";
  EXPECT_NE(AudioSetFormat(device, 0, 16, 1, 1, 0), 0);
  EXPECT_LT(AudioWrite(samples, 2, 2, device), 0) << "not open for a format";
  EXPECT_EQ(AudioPause(device), 0) << "nothing to hold yet";
  EXPECT_EQ(AudioResume(device), 0);
  AudioClose(device);
  EXPECT_NE(AudioPause(device), 0) << "closed";
  EXPECT_NE(AudioResume(nullptr), 0);
}

TEST(Vovedodudo, FileHeaderHasTheSizesOnceClosed) {
  const std::string path = ScratchPath(".au");
  AUDIOHANDLE file = AudioOpen(AUDIO_MODE_FILE, nullptr, path.c_str(), 0, AUDIO_FILE_WAVE);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(AudioSetFormat(file, 8000, 8, 1, AUDIO_TAG_MULAW, 0), 0);
  const uint8_t bytes[5] = {0xFF, 0x80, 0x00, 0x7E, 0x12};
  EXPECT_EQ(AudioWrite(bytes, 1, 5, file), 5);
  AudioClose(file);
  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 58u + 5 + 1);
  EXPECT_EQ(Le32(b, 4), b.size() - 8);
  EXPECT_EQ(Le32(b, 54), 5u);
  EXPECT_TRUE(std::equal(bytes, bytes + 5, b.begin() + 58));
  std::remove(path.c_str());

  // A file has nothing to hold: pausing it changes nothing.
  file = AudioOpen(AUDIO_MODE_FILE, nullptr, path.c_str(), 0, AUDIO_FILE_RAW);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(AudioSetFormat(file, 8000, 16, 1, AUDIO_TAG_PCM, 0), 0);
  EXPECT_EQ(AudioPause(file), 0);
  const int16_t pcm[3] = {1, 2, 3};
  EXPECT_EQ(AudioWrite(pcm, 2, 3, file), 3);
  EXPECT_EQ(AudioResume(file), 0);
  AudioClose(file);
  EXPECT_EQ(ReadBytes(path).size(), 6u);
  std::remove(path.c_str());
}

// A window that counts the library's two messages, in the order they come.
class NotifiedWindow {
 public:
  NotifiedWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VovedodudoTest";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "VovedodudoTest", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    messages().clear();
  }
  ~NotifiedWindow() { DestroyWindow(window_); }
  HWND handle() const { return window_; }

  static std::string& messages() {
    static std::string seen;  // 's' for started, 'p' for played
    return seen;
  }

  // Dispatches until the played message came, for at most ten seconds.
  static bool WaitForPlayed() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
      Dispatch();
      if (!messages().empty() && messages().back() == 'p') return true;
      Sleep(5);
    }
    return false;
  }

  static void Dispatch() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == AUDIO_MSG_PLAYING) messages() += 's';
    if (message == AUDIO_MSG_PLAYED) messages() += 'p';
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_;
};

std::vector<int16_t> Signal(size_t count, int seed) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    // Never zero: silence in the capture is then the device's own.
    samples[i] = static_cast<int16_t>((i * 7919 + static_cast<size_t>(seed) * 104729) % 60000 - 30000);
    if (samples[i] == 0) samples[i] = 1;
  }
  return samples;
}

// Offers the rest until all is taken, as the player does.
void WriteAll(AUDIOHANDLE device, const std::vector<int16_t>& samples) {
  size_t taken = 0;
  while (taken < samples.size()) {
    const int n = AudioWrite(samples.data() + taken, 2, static_cast<int>(samples.size() - taken), device);
    ASSERT_GE(n, 0);
    taken += static_cast<size_t>(n);
    NotifiedWindow::Dispatch();
  }
}

TEST(VovedodudoDevice, PlaysExactlyTheSamplesWrittenAndSaysWhenItIsDone) {
  ASSERT_FALSE(CapturePath().empty()) << "run through ctest, which sets up the ALSA capture";
  NotifiedWindow window;
  AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, window.handle(), nullptr, 0, 0);
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(AudioSetFormat(device, 16000, 16, 1, AUDIO_TAG_PCM, 0), 0);
  const auto samples = Signal(40000, 1);
  WriteAll(device, samples);
  ASSERT_TRUE(NotifiedWindow::WaitForPlayed());
  AudioClose(device);
  const std::string& seen = NotifiedWindow::messages();
  EXPECT_EQ(seen.front(), 's');
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 's'), std::count(seen.begin(), seen.end(), 'p'))
      << "every start of playback has its end: " << seen;
  size_t silence = 0;
  EXPECT_TRUE(testing::PlayedInOrder(CapturedSamples(), samples, &silence));
  std::printf("device silence between and after the samples: %zu samples\n", silence);
}

TEST(VovedodudoDevice, TakesAboutHalfASecondAtATime) {
  AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, nullptr, nullptr, 0, 0);
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(AudioSetFormat(device, 16000, 16, 1, AUDIO_TAG_PCM, 0), 0);
  const auto samples = Signal(5 * 16000, 2);
  const int taken = AudioWrite(samples.data(), 2, static_cast<int>(samples.size()), device);
  EXPECT_GT(taken, 0);
  EXPECT_LE(taken, 8000);
  AudioClose(device);
}

TEST(VovedodudoDevice, StopDropsWhatIsQueuedAndLaterWritesPlay) {
  NotifiedWindow window;
  AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, window.handle(), nullptr, 0, 0);
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(AudioSetFormat(device, 16000, 16, 1, AUDIO_TAG_PCM, 0), 0);
  const auto first = Signal(10 * 16000, 3);
  const int taken = AudioWrite(first.data(), 2, static_cast<int>(first.size()), device);
  ASSERT_GT(taken, 0);
  AudioStop(device);
  const auto after = Signal(3000, 4);
  WriteAll(device, after);
  ASSERT_TRUE(NotifiedWindow::WaitForPlayed());
  AudioClose(device);

  // What was played before the stop is part of what was taken; then the later write, whole.
  // The device's own silence (Wine fills a device that ran dry with it) is left out.
  const auto captured = CapturedSamples();
  std::vector<int16_t> heard;
  std::copy_if(captured.begin(), captured.end(), std::back_inserter(heard), [](int16_t s) { return s != 0; });
  ASSERT_GE(heard.size(), after.size());
  const auto start = heard.end() - static_cast<long>(after.size());
  EXPECT_TRUE(std::equal(after.begin(), after.end(), start)) << "the write after the stop was played last";
  EXPECT_LE(start - heard.begin(), taken) << "nothing of the ten seconds beyond what was taken";
  EXPECT_TRUE(std::equal(heard.begin(), start, first.begin()));
}

TEST(VovedodudoDevice, APauseHoldsThePlaceLongerThanAStallWouldTakeAndPlaysOnWhole) {
  NotifiedWindow window;
  AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, window.handle(), nullptr, 0, 0);
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(AudioSetFormat(device, 16000, 16, 1, AUDIO_TAG_PCM, 0), 0);
  const auto samples = Signal(2 * 16000, 5);
  const std::vector<int16_t> before(samples.begin(), samples.begin() + 12000);
  WriteAll(device, before);
  ASSERT_EQ(AudioPause(device), 0);
  EXPECT_EQ(AudioPause(device), 0);

  // Three seconds held, offering the rest all along: a stall would have failed the device
  // after the queue's half second and two more.
  size_t taken = before.size();
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 3000) {
    const int n = AudioWrite(samples.data() + taken, 2, static_cast<int>(samples.size() - taken), device);
    ASSERT_GE(n, 0) << "a paused device was taken for a stalled one";
    taken += static_cast<size_t>(n);
    NotifiedWindow::Dispatch();
  }
  ASSERT_EQ(AudioResume(device), 0);
  WriteAll(device, std::vector<int16_t>(samples.begin() + static_cast<long>(taken), samples.end()));
  ASSERT_TRUE(NotifiedWindow::WaitForPlayed());
  AudioClose(device);

  // Every sample once, in order; the three seconds held are not played as silence.
  size_t silence = 0;
  EXPECT_TRUE(testing::PlayedInOrder(CapturedSamples(), samples, &silence));
  EXPECT_LT(silence, 16000u) << "the pause was written to the device as silence";
  std::printf("device silence with a pause of three seconds: %zu samples\n", silence);
}

}  // namespace
}  // namespace mowik
