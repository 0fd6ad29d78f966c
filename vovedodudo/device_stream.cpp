#include "vovedodudo/device_stream.h"

#include <algorithm>
#include <cstring>

#include "vovedodudo/vovedodudo.h"

namespace mowik {
namespace {

constexpr DWORD kWaitForRoomMs = 50;
// A queue that stays full this much longer than its own length means the device has stopped
// taking audio (unplugged, or a driver that lost the buffers).
constexpr DWORD kStallMarginMs = 2000;

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
  ~Locked() { LeaveCriticalSection(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION& lock_;
};

}  // namespace

DeviceStream::DeviceStream(HWND window) : window_(window) {
  InitializeCriticalSection(&lock_);
  bufferDone_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

DeviceStream::~DeviceStream() {
  // The owner destroys only a stream whose Close came back true; this one never waits.
  Close(0);
  if (bufferDone_) CloseHandle(bufferDone_);
  DeleteCriticalSection(&lock_);
}

void DeviceStream::Post(UINT message) const {
  if (window_) PostMessageA(window_, message, 0, 0);
}

// Runs on the driver's thread: only the calls that waveOut callbacks may make.
void CALLBACK DeviceStream::Done(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* stream = reinterpret_cast<DeviceStream*>(instance);
  stream->callsFromDriver_.fetch_add(1);
  stream->Finished(reinterpret_cast<WAVEHDR*>(param1));
  stream->callsFromDriver_.fetch_sub(1);  // the last touch of the stream: Close waits for it
}

void DeviceStream::Finished(WAVEHDR* header) {
  Locked locked(lock_);
  for (Buffer& buffer : buffers_) {
    if (&buffer.header != header || !buffer.queued) continue;
    buffer.queued = false;
    queuedBytes_ -= buffer.header.dwBufferLength;
    ++finished_;
    // Posted under the lock, so the two messages arrive in the order of the queue's changes.
    if (--queued_ == 0) Post(AUDIO_MSG_PLAYED);
  }
  SetEvent(bufferDone_);
}

bool DeviceStream::SetFormat(int rate, int bits, int channels, int tag) {
  if (tag != WAVE_FORMAT_PCM || bits != 16 || channels < 1 || channels > 2 || rate < 1 || rate > 1000000)
    return false;
  // The buffers are reused for the new format: never while the driver may still hold them.
  if (!Close()) return false;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(2 * channels);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  if (waveOutOpen(&wave_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&Done),
                  reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    wave_ = nullptr;
    return false;
  }
  blockAlign_ = format.nBlockAlign;
  bytesPerSecond_ = format.nAvgBytesPerSec;
  // Half a second queued at most, in eight chunks; the spare buffers hold short writes.
  capacity_ = std::max<size_t>(bytesPerSecond_ / 2 / blockAlign_, 16) * blockAlign_;
  chunk_ = std::max<size_t>(capacity_ / 8 / blockAlign_, 1) * blockAlign_;
  failed_ = false;
  paused_ = false;
  fullSinceFinished_ = UINT64_MAX;
  for (Buffer& buffer : buffers_) {
    buffer.data.assign(chunk_, 0);
    buffer.header = WAVEHDR{};
    buffer.header.lpData = buffer.data.data();
    buffer.header.dwBufferLength = static_cast<DWORD>(chunk_);
    buffer.queued = false;
    if (waveOutPrepareHeader(wave_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
      Close();  // nothing is queued yet, so nothing can hold it open
      return false;
    }
  }
  return true;
}

int DeviceStream::Write(const void* data, int bytesPerSample, int count) {
  if (!wave_ || failed_ || count < 0 || (count > 0 && !data) || bytesPerSample != 2) return -1;
  const size_t frameSamples = static_cast<size_t>(blockAlign_ / 2);
  const size_t offered = static_cast<size_t>(count) / frameSamples * frameSamples;
  if (offered == 0 && count > 0) return -1;  // less than one frame of a stereo format
  const char* in = static_cast<const char*>(data);
  size_t taken = 0;
  for (int attempt = 0; attempt < 2 && taken == 0 && offered > 0; ++attempt) {
    if (attempt == 1) WaitForSingleObject(bufferDone_, kWaitForRoomMs);
    while (taken < offered) {
      Buffer* free = nullptr;
      size_t room = 0;
      {
        Locked locked(lock_);
        for (Buffer& buffer : buffers_) {
          if (!buffer.queued) {
            free = &buffer;
            break;
          }
        }
        room = capacity_ > queuedBytes_ ? capacity_ - queuedBytes_ : 0;
      }
      const size_t bytes = std::min({(offered - taken) * 2, chunk_, room / blockAlign_ * blockAlign_});
      if (!free || bytes == 0) break;
      std::memcpy(free->data.data(), in + taken * 2, bytes);
      free->header.dwBufferLength = static_cast<DWORD>(bytes);
      {
        Locked locked(lock_);
        free->queued = true;
        queuedBytes_ += bytes;
        if (queued_++ == 0) Post(AUDIO_MSG_PLAYING);
      }
      // Outside the lock: the driver may finish buffers while this call runs.
      if (waveOutWrite(wave_, &free->header, sizeof free->header) != MMSYSERR_NOERROR) {
        Locked locked(lock_);
        free->queued = false;
        queuedBytes_ -= bytes;
        if (--queued_ == 0) Post(AUDIO_MSG_PLAYED);
        failed_ = true;
        break;
      }
      taken += bytes / 2;
    }
  }
  if (taken > 0 || offered == 0) {
    fullSinceFinished_ = UINT64_MAX;
    return static_cast<int>(taken);
  }
  if (failed_) return -1;

  // A paused device keeps its queue full for as long as the pause lasts: no stall.
  if (paused_.load()) {
    fullSinceFinished_ = UINT64_MAX;
    return 0;
  }
  if (resumed_.exchange(false)) fullSinceFinished_ = UINT64_MAX;

  // Nothing fitted even after waiting: watch for a device that no longer plays.
  uint64_t finished;
  size_t queuedBytes;
  {
    Locked locked(lock_);
    finished = finished_;
    queuedBytes = queuedBytes_;
  }
  const DWORD now = GetTickCount();
  if (finished != fullSinceFinished_) {
    fullSinceFinished_ = finished;
    fullSince_ = now;
  } else if (now - fullSince_ > queuedBytes * 1000 / bytesPerSecond_ + kStallMarginMs) {
    failed_ = true;
    return -1;
  }
  return 0;
}

void DeviceStream::Stop() {
  if (!wave_) return;
  waveOutReset(wave_);
  if (paused_.exchange(false)) {
    waveOutRestart(wave_);
    resumed_ = true;
  }
}

bool DeviceStream::Pause() {
  if (!wave_ || paused_.load()) return true;
  if (waveOutPause(wave_) != MMSYSERR_NOERROR) return false;
  paused_ = true;
  return true;
}

bool DeviceStream::Resume() {
  if (!wave_ || !paused_.load()) return true;
  if (waveOutRestart(wave_) != MMSYSERR_NOERROR) return false;
  paused_ = false;
  resumed_ = true;
  return true;
}

bool DeviceStream::Drain(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      Locked locked(lock_);
      if (queued_ == 0) return true;
    }
    if (GetTickCount() - start >= milliseconds) return false;
    WaitForSingleObject(bufferDone_, 10);
  }
}

bool DeviceStream::Close(DWORD waitMs) {
  if (wave_) {
    waveOutReset(wave_);
    // A reset hands every buffer back, but a slow driver may take its time: until it has, the
    // buffers and this stream stay as they are.
    if (!Drain(waitMs)) return false;
    for (Buffer& buffer : buffers_) {
      if (!(buffer.header.dwFlags & WHDR_PREPARED)) continue;
      if (waveOutUnprepareHeader(wave_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) return false;
    }
    // WAVERR_STILLPLAYING: the driver still counts a buffer as its own; try again later.
    if (waveOutClose(wave_) != MMSYSERR_NOERROR) return false;
    wave_ = nullptr;
  }
  // The driver makes no new calls after its close; one that finished a buffer just before may
  // still be on its way out of Done.
  const DWORD start = GetTickCount();
  while (callsFromDriver_.load() != 0) {
    if (GetTickCount() - start >= waitMs) return false;
    Sleep(1);
  }
  Locked locked(lock_);  // and out of Finished's lock
  return true;
}

}  // namespace mowik
