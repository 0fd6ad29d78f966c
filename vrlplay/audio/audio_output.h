#pragma once
// The player's audio outputs: the sound device or a sound file, through the audio library
// vovedodudo.dll. Win32; used on the play thread only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "soundformat/playback_clock.h"
#include "vovedodudo/vovedodudo.h"

namespace mowik {

// The bits of the player's flag word that choose an output (the first that matches wins:
// file type 0, 1, 2, else the sound device) and, for file type 0, 8-bit G.711 at half rate.
inline constexpr int kOutputFileType0 = 0x00400;
inline constexpr int kOutputFileType1 = 0x00800;
inline constexpr int kOutputFileType2 = 0x01000;
inline constexpr int kOutputALaw = 0x04000;
inline constexpr int kOutputMuLaw = 0x08000;

// Status of an output after construction.
inline constexpr int kOutputReady = 0;
inline constexpr int kOutputFormatRefused = -1;
inline constexpr int kOutputOpenFailed = -2;
inline constexpr int kOutputWindowFailed = -3;
inline constexpr int kOutputClassFailed = -4;

// Kinds: 0, 1, 2 for the file types, 4 for the sound device.
inline constexpr int kOutputKindDevice = 4;

// The window messages the audio library posts to an output's window.
inline constexpr UINT kAudioPlaying = WM_USER + 100;  // playback under way
inline constexpr UINT kAudioPlayed = WM_USER + 101;  // all written audio played

// One audio output. Construction opens it (read Status: anything but 0 is a failure, and
// only what was acquired is released); destruction closes it.
class CAudioOutput {
 public:
  virtual ~CAudioOutput();

  // For the sound device: plays 4096 samples of silence when nothing was written, then
  // dispatches the thread's messages until the library reports the end of playback, or until
  // the audio written so far would have played plus two seconds (a device that never reports).
  // Then releases the device or file, the window and the window class. A second close does
  // nothing.
  virtual void Close();

  // Silences the device at once; a following close does not wait.
  virtual void Stop();

  // Writes count 16-bit samples, dispatching the thread's messages between library calls.
  // False when the output is not open or the library refused the samples.
  virtual bool Write(const int16_t* samples, int count);

  virtual int Status() const { return status_; }
  virtual int Kind() const { return kind_; }

  // A check run between library calls and while a close waits for the end of playback; when
  // it says so, the output stops as Stop does and the write (reporting false) or the wait
  // ends, so that a stop asked for elsewhere is heard at once.
  void SetStopCheck(std::function<bool()> check) { stopCheck_ = std::move(check); }

  // A check run at the same places: when paused says so, the output pauses the device (a file
  // ignores that), calls wait, which returns once the pause is over, and resumes the device.
  // The time held does not count against the wait for the end of playback.
  void SetPauseHold(std::function<bool()> paused, std::function<void()> wait) {
    pauseCheck_ = std::move(paused);
    pauseWait_ = std::move(wait);
  }

  // Samples (or, for G.711, bytes) handed to the library so far.
  int SamplesWritten() const { return samplesWritten_; }

 protected:
  CAudioOutput(HINSTANCE instance, int kind, int formatBits);

  // Registers the class, creates the window, opens and sets the format; sets the status.
  void Open(int mode, const char* fileName, int fileType, int rate, int bits, int tag);

  // Hands bytes to the library until it has taken them all, it refuses, or the stop check
  // says so.
  bool Hand(const void* data, int bytesPerSample, int count);

  HINSTANCE instance_;
  int status_ = kOutputReady;
  HWND window_ = nullptr;
  AUDIOHANDLE audio_ = nullptr;
  int samplesWritten_ = 0;
  int kind_;
  int formatBits_;  // bit 0 A-law, bit 1 mu-law (file type 0 only)
  int rate_ = 0;
  bool closed_ = false;
  PlaybackClock clock_;
  std::function<bool()> stopCheck_;
  std::function<bool()> pauseCheck_;
  std::function<void()> pauseWait_;

 private:
  bool StopRequested() const { return stopCheck_ && stopCheck_(); }
  // Holds while a pause lasts; true when it held.
  bool HoldWhilePaused();
};

// The sound device.
class CDeviceOutput : public CAudioOutput {
 public:
  CDeviceOutput(HINSTANCE instance, int rate);
};

// File type 0 (WAV): 16-bit PCM, or with format bits A-law or mu-law at half the rate.
class CWaveFileOutput : public CAudioOutput {
 public:
  CWaveFileOutput(HINSTANCE instance, const char* fileName, int rate, int formatBits);
  bool Write(const int16_t* samples, int count) override;

 private:
  std::vector<uint8_t> encoded_;
};

// File type 1 (Sun/NeXT .au, 16-bit).
class CAuFileOutput : public CAudioOutput {
 public:
  CAuFileOutput(HINSTANCE instance, const char* fileName, int rate);
};

// File type 2 (raw 16-bit samples).
class CRawFileOutput : public CAudioOutput {
 public:
  CRawFileOutput(HINSTANCE instance, const char* fileName, int rate);
};

// Opens the output that flags choose, for samples at rate (the engine's frequency).
// For A-law and mu-law files the rate given to the library is half of it: those files hold
// one sample for every two engine samples.
std::unique_ptr<CAudioOutput> OpenAudioOutput(HINSTANCE instance, int flags, const char* fileName, int rate);

// The library-wide playback-finished flag: cleared when an output is constructed or closed
// and by kAudioPlaying, set by kAudioPlayed and by Stop.
bool PlaybackFinished();

}  // namespace mowik
