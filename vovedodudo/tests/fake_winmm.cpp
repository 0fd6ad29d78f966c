// A stand-in winmm.dll for the audio library's tests: a sound driver that can be slow in the
// ways real ones are, and that records every use of a buffer it still holds. It plays nothing:
// written buffers are handed back at once, or, while it is told to hold them, only after a
// reset and a delay; its close can refuse with WAVERR_STILLPLAYING.
#define _WINMM_  // this is winmm: its functions are defined here, not imported
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace {

struct Device {
  DWORD_PTR callback = 0;
  DWORD_PTR instance = 0;
  bool open = false;
};

// Never destroyed: the driver thread waits on them until the process ends, and destroying a
// condition variable that a killed thread still waits on blocks the exit for ever.
std::mutex& lock = *new std::mutex;
std::condition_variable& wake = *new std::condition_variable;
Device device;  // one device at a time is all the audio library opens
std::deque<WAVEHDR*> held;   // written, not yet handed back
std::deque<WAVEHDR*> due;    // to hand back on the driver thread
std::chrono::steady_clock::time_point dueAt;
bool holdBuffers = false;
int resetDelayMs = 0;
bool refuseCloseOnce = false;
int openDevices = 0;
std::string violations;
std::thread driver;

bool Held(const WAVEHDR* header) { return std::find(held.begin(), held.end(), header) != held.end(); }

void Violation(const char* what) { violations += std::string(what) + "\n"; }

// The driver's thread: hands back what is due, calling the stream's function without the lock,
// as drivers do.
void DriverThread() {
  std::unique_lock<std::mutex> guard(lock);
  for (;;) {
    wake.wait_for(guard, std::chrono::milliseconds(5));
    if (due.empty() || std::chrono::steady_clock::now() < dueAt) continue;
    while (!due.empty()) {
      WAVEHDR* header = due.front();
      due.pop_front();
      held.erase(std::remove(held.begin(), held.end(), header), held.end());
      header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
      if (!device.open) Violation("buffer handed back after the device closed");
      const auto function = reinterpret_cast<LPDRVCALLBACK>(device.callback);
      const DWORD_PTR instance = device.instance;
      guard.unlock();
      function(reinterpret_cast<HDRVR>(&device), WOM_DONE, instance, reinterpret_cast<DWORD_PTR>(header), 0);
      guard.lock();
    }
  }
}

void HandBack(std::deque<WAVEHDR*> headers, int delayMs) {
  for (WAVEHDR* header : headers) due.push_back(header);
  dueAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
  if (!driver.joinable()) {
    driver = std::thread(DriverThread);
    driver.detach();
  }
  wake.notify_all();
}

}  // namespace

extern "C" {

UINT WINAPI waveOutGetNumDevs() { return 1; }

MMRESULT WINAPI waveOutOpen(LPHWAVEOUT wave, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR instance,
                            DWORD flags) {
  std::lock_guard<std::mutex> guard(lock);
  if (device.open) return MMSYSERR_ALLOCATED;
  if ((flags & CALLBACK_TYPEMASK) != CALLBACK_FUNCTION) return MMSYSERR_INVALPARAM;
  device = {callback, instance, true};
  ++openDevices;
  *wave = reinterpret_cast<HWAVEOUT>(&device);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT, LPWAVEHDR header, UINT) {
  std::lock_guard<std::mutex> guard(lock);
  if (Held(header)) Violation("a buffer the driver holds was prepared again");
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT, LPWAVEHDR header, UINT) {
  std::lock_guard<std::mutex> guard(lock);
  if (Held(header)) {
    Violation("a buffer the driver holds was unprepared");
    return WAVERR_STILLPLAYING;
  }
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutWrite(HWAVEOUT, LPWAVEHDR header, UINT) {
  std::lock_guard<std::mutex> guard(lock);
  if (!device.open) return MMSYSERR_INVALHANDLE;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (Held(header)) Violation("a buffer the driver holds was written again");
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  held.push_back(header);
  if (!holdBuffers) HandBack({header}, 0);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutReset(HWAVEOUT) {
  std::lock_guard<std::mutex> guard(lock);
  std::deque<WAVEHDR*> waiting;
  for (WAVEHDR* header : held) {
    if (std::find(due.begin(), due.end(), header) == due.end()) waiting.push_back(header);
  }
  HandBack(waiting, resetDelayMs);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutClose(HWAVEOUT) {
  std::lock_guard<std::mutex> guard(lock);
  if (!held.empty() || std::exchange(refuseCloseOnce, false)) return WAVERR_STILLPLAYING;
  if (!device.open) return MMSYSERR_INVALHANDLE;
  device.open = false;
  --openDevices;
  return MMSYSERR_NOERROR;
}

// Test controls.
void WINAPI Fake_HoldBuffers(int hold) {
  std::lock_guard<std::mutex> guard(lock);
  holdBuffers = hold != 0;
}
void WINAPI Fake_SetResetDelay(int ms) {
  std::lock_guard<std::mutex> guard(lock);
  resetDelayMs = ms;
}
void WINAPI Fake_RefuseCloseOnce() {
  std::lock_guard<std::mutex> guard(lock);
  refuseCloseOnce = true;
}
int WINAPI Fake_OpenDevices() {
  std::lock_guard<std::mutex> guard(lock);
  return openDevices;
}
int WINAPI Fake_HeldBuffers() {
  std::lock_guard<std::mutex> guard(lock);
  return static_cast<int>(held.size());
}
// Copies what went wrong (one line each) into text; returns its length.
int WINAPI Fake_Violations(char* text, int size) {
  std::lock_guard<std::mutex> guard(lock);
  if (text && size > 0) {
    const size_t n = std::min(violations.size(), static_cast<size_t>(size - 1));
    std::memcpy(text, violations.data(), n);
    text[n] = '\0';
  }
  return static_cast<int>(violations.size());
}

}  // extern "C"
