#include "vrlplay/audio/audio_output.h"

#include <atomic>

#include "soundformat/half_rate_g711.h"
#include "win32/message_wait.h"

namespace mowik {
namespace {

constexpr char kClassName[] = "AudioOut";
constexpr int kSilenceSamples = 4096;
constexpr auto kPlayedMargin = std::chrono::seconds(2);

std::atomic<bool> playbackFinished{false};

// One filter history for the whole library, kept from one output to the next; outputs live
// on the play thread only.
DecimationFilter& LibraryFilter() {
  static DecimationFilter filter;
  return filter;
}

LRESULT CALLBACK OutputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAudioPlaying) {
    playbackFinished = false;
    return 0;
  }
  if (message == kAudioPlayed) {
    playbackFinished = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool PlaybackFinished() { return playbackFinished; }

CAudioOutput::CAudioOutput(HINSTANCE instance, int kind, int formatBits)
    : instance_(instance), kind_(kind), formatBits_(formatBits) {
  playbackFinished = false;
}

CAudioOutput::~CAudioOutput() { Close(); }

void CAudioOutput::Open(int mode, const char* fileName, int fileType, int rate, int bits, int tag) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = OutputWindowProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kClassName;
  // A class left registered by an output that could not unregister it is the same class.
  if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    status_ = kOutputClassFailed;
    return;
  }
  // Message-only: the window only receives the library's posted messages, and a top-level
  // one would cost the display driver several milliseconds before every utterance.
  window_ = CreateWindowExA(0, kClassName, "", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, HWND_MESSAGE, nullptr, instance_, this);
  if (!window_) {
    status_ = kOutputWindowFailed;
    return;
  }
  audio_ = AudioOpen(mode, window_, fileName, 0, fileType);
  if (!audio_) {
    status_ = kOutputOpenFailed;
    return;
  }
  rate_ = rate;
  if (AudioSetFormat(audio_, rate, bits, 1, tag, 0) != 0) status_ = kOutputFormatRefused;
}

bool CAudioOutput::Hand(const void* data, int bytesPerSample, int count) {
  const char* bytes = static_cast<const char*>(data);
  int taken = 0;
  bool accepted = true;
  while (taken < count) {
    if (HoldWhilePaused() && StopRequested()) {  // a stop that ended the pause
      Stop();
      accepted = false;
      break;
    }
    const int n = AudioWrite(bytes + static_cast<size_t>(taken) * bytesPerSample, bytesPerSample,
                             count - taken, audio_);
    // A refusal ends the write; waiting for it to change would never end.
    if (n < 0 || n > count - taken) {
      accepted = false;
      break;
    }
    taken += n;
    if (kind_ == kOutputKindDevice) clock_.Written(static_cast<size_t>(n), rate_);
    win32::DispatchWaitingMessages();
    if (taken < count && StopRequested()) {
      Stop();
      accepted = false;
      break;
    }
  }
  samplesWritten_ += taken;
  return accepted;
}

bool CAudioOutput::Write(const int16_t* samples, int count) {
  if (status_ != kOutputReady || !audio_ || count < 0 || (count > 0 && !samples)) return false;
  return Hand(samples, 2, count);
}

void CAudioOutput::Close() {
  if (closed_) return;
  closed_ = true;
  if (status_ == kOutputReady && kind_ == kOutputKindDevice) {
    if (samplesWritten_ == 0) {
      const std::vector<int16_t> silence(kSilenceSamples, 0);
      Hand(silence.data(), 2, kSilenceSamples);
    }
    // The library reports the end of playback; a device that never does is not waited for
    // longer than the audio still to play and a margin.
    while (!playbackFinished) {
      win32::DispatchWaitingMessages();
      HoldWhilePaused();  // moves the clock on by the time held
      if (playbackFinished || PlaybackClock::Clock::now() > clock_.PlayedBy() + kPlayedMargin) break;
      if (StopRequested()) {
        Stop();
        break;
      }
      win32::WaitForMessages(10);
    }
  }
  // A refused format still leaves the device or file open: release it too.
  if (audio_ && (status_ == kOutputReady || status_ == kOutputFormatRefused)) AudioClose(audio_);
  if (window_) DestroyWindow(window_);
  if (status_ >= kOutputWindowFailed) UnregisterClassA(kClassName, instance_);
  window_ = nullptr;
  audio_ = nullptr;
  status_ = kOutputReady;
  playbackFinished = false;
}

bool CAudioOutput::HoldWhilePaused() {
  if (!pauseCheck_ || !pauseCheck_() || !pauseWait_) return false;
  const auto from = PlaybackClock::Clock::now();
  const bool device = status_ == kOutputReady && audio_;
  if (device) AudioPause(audio_);
  pauseWait_();
  if (device) AudioResume(audio_);
  clock_.Held(from, PlaybackClock::Clock::now());
  return true;
}

void CAudioOutput::Stop() {
  if (status_ == kOutputReady && audio_) AudioStop(audio_);
  playbackFinished = true;
}

CDeviceOutput::CDeviceOutput(HINSTANCE instance, int rate) : CAudioOutput(instance, kOutputKindDevice, 0) {
  Open(AUDIO_MODE_DEVICE, nullptr, AUDIO_FILE_WAVE, rate, 16, AUDIO_TAG_PCM);
}

CWaveFileOutput::CWaveFileOutput(HINSTANCE instance, const char* fileName, int rate, int formatBits)
    : CAudioOutput(instance, AUDIO_FILE_WAVE, formatBits) {
  if (formatBits & 1)
    Open(AUDIO_MODE_FILE, fileName, AUDIO_FILE_WAVE, rate / 2, 8, AUDIO_TAG_ALAW);
  else if (formatBits & 2)
    Open(AUDIO_MODE_FILE, fileName, AUDIO_FILE_WAVE, rate / 2, 8, AUDIO_TAG_MULAW);
  else
    Open(AUDIO_MODE_FILE, fileName, AUDIO_FILE_WAVE, rate, 16, AUDIO_TAG_PCM);
}

bool CWaveFileOutput::Write(const int16_t* samples, int count) {
  if (formatBits_ == 0) return CAudioOutput::Write(samples, count);
  if (status_ != kOutputReady || !audio_ || count < 0 || (count > 0 && !samples)) return false;
  encoded_.resize(static_cast<size_t>(count / 2));
  const G711Law law = formatBits_ & 1 ? G711Law::kALaw : G711Law::kMuLaw;
  const size_t n = EncodeHalfRateG711(LibraryFilter(), law, samples, static_cast<size_t>(count), encoded_.data());
  return Hand(encoded_.data(), 1, static_cast<int>(n));
}

CAuFileOutput::CAuFileOutput(HINSTANCE instance, const char* fileName, int rate)
    : CAudioOutput(instance, AUDIO_FILE_AU, 0) {
  Open(AUDIO_MODE_FILE, fileName, AUDIO_FILE_AU, rate, 16, AUDIO_TAG_PCM);
}

CRawFileOutput::CRawFileOutput(HINSTANCE instance, const char* fileName, int rate)
    : CAudioOutput(instance, AUDIO_FILE_RAW, 0) {
  Open(AUDIO_MODE_FILE, fileName, AUDIO_FILE_RAW, rate, 16, AUDIO_TAG_PCM);
}

std::unique_ptr<CAudioOutput> OpenAudioOutput(HINSTANCE instance, int flags, const char* fileName, int rate) {
  if (flags & kOutputFileType0) {
    const int formatBits = (flags & kOutputALaw ? 1 : 0) | (flags & kOutputMuLaw ? 2 : 0);
    return std::make_unique<CWaveFileOutput>(instance, fileName, rate, formatBits);
  }
  if (flags & kOutputFileType1) return std::make_unique<CAuFileOutput>(instance, fileName, rate);
  if (flags & kOutputFileType2) return std::make_unique<CRawFileOutput>(instance, fileName, rate);
  return std::make_unique<CDeviceOutput>(instance, rate);
}

}  // namespace mowik
