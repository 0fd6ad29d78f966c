#pragma once
// The seam between the play thread and the audio outputs: everything the player asks of an
// output, and the one function that opens the right one for a request's flag word.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace mowik {

class PlayerOutput {
 public:
  virtual ~PlayerOutput() = default;  // destroying closes (a device waits for the end of playback)
  virtual void Close() = 0;
  virtual void Stop() = 0;  // silences at once; a following close does not wait
  virtual bool Write(const int16_t* samples, int count) = 0;
  virtual int Status() const = 0;  // 0 open and ready, negative when opening failed
  virtual int Kind() const = 0;    // 0, 1, 2 for the file types, kDeviceOutputKind for the device
};

inline constexpr int kDeviceOutputKind = 4;

// What an output asks the player between its calls into the audio library, and while it
// waits on the device (for room, or for the end of playback at close).
struct OutputChecks {
  // When it says so the output silences the device and stops waiting.
  std::function<bool()> stopRequested;
  // When it says so the output pauses the device, calls waitWhilePaused (which returns once
  // the pause ends or a stop comes) and resumes it.
  std::function<bool()> pauseRequested;
  std::function<void()> waitWhilePaused;
};

// Opens the output the flag word asks for at the given sample rate (outFile for the file
// kinds). Never null: a failed open shows in Status().
std::unique_ptr<PlayerOutput> OpenPlayerOutput(HMODULE module, int flags, const char* outFile, int rate,
                                               OutputChecks checks);

}  // namespace mowik
