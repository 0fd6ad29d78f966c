#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace mowik {

// The sound device through waveOut. Samples are copied into the stream's own buffers and
// queued at once; at most about half a second is queued, so the writer is paced by the
// device and a stop silences it at once. The window is told (by posted messages) when the
// device starts playing and when it has played everything written.
class DeviceStream {
 public:
  explicit DeviceStream(HWND window);
  ~DeviceStream();
  DeviceStream(const DeviceStream&) = delete;
  DeviceStream& operator=(const DeviceStream&) = delete;

  // Opens the device for 16-bit PCM at rate with 1 or 2 channels (closing an earlier open).
  bool SetFormat(int rate, int bits, int channels, int tag);

  // See AudioWrite: the number of samples taken, 0 when there was no room even after a short
  // wait, negative when the device cannot take anything any more.
  int Write(const void* data, int bytesPerSample, int count);

  // A stop also ends a pause: later writes play again.
  void Stop();
  // See AudioPause and AudioResume: false when the device refused. Nothing to do without a
  // device or when already in that state.
  bool Pause();
  bool Resume();
  // Silences and releases the device, waiting at most waitMs for the driver to hand every
  // buffer back. False when it did not, or when the driver refused to close: the device and
  // the buffers are then left exactly as they are (the driver may still use them and call
  // back into this stream), and the owner must keep the stream and call Close again later.
  // True once the device is closed and no call from the driver is under way.
  bool Close(DWORD waitMs = kCloseWaitMs);

  // How long a close waits for the driver: longer than any queue (half a second) takes to
  // come back after a reset.
  static constexpr DWORD kCloseWaitMs = 2000;

 private:
  static void CALLBACK Done(HWAVEOUT wave, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                            DWORD_PTR param2);
  void Finished(WAVEHDR* header);
  // Waits until no buffer is queued, at most milliseconds; true when none is.
  bool Drain(DWORD milliseconds);
  void Post(UINT message) const;

  struct Buffer {
    WAVEHDR header{};
    std::vector<char> data;
    bool queued = false;
  };

  const HWND window_;
  HWAVEOUT wave_ = nullptr;
  CRITICAL_SECTION lock_;
  HANDLE bufferDone_;  // auto-reset; set by every finished buffer
  std::atomic<int> callsFromDriver_{0};  // calls of Done under way
  // Held by Pause; a resume restarts the stall watch, since a held queue stays full.
  std::atomic<bool> paused_{false};
  std::atomic<bool> resumed_{false};
  std::array<Buffer, 16> buffers_;
  // Guarded by lock_:
  int queued_ = 0;
  size_t queuedBytes_ = 0;
  uint64_t finished_ = 0;
  // Settled by SetFormat:
  int blockAlign_ = 0;
  size_t bytesPerSecond_ = 0, capacity_ = 0, chunk_ = 0;
  bool failed_ = false;
  // Stall watch: the finished count and the time when the queue was last found full.
  uint64_t fullSinceFinished_ = UINT64_MAX;
  DWORD fullSince_ = 0;
};

}  // namespace mowik
