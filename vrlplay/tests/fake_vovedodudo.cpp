// A stand-in audio library for the player's tests: records every call and keeps the samples
// written (16-bit ones, and the count of 8-bit G.711 bytes), taking at most 1000 per
// AudioWrite as a device paced by playback would. A device plays at once: each write posts
// "under way" (the first after opening or a stop) and "all played" to the window given at
// opening, unless the test makes it a device that never reports. Opening a file whose name
// holds "fail" fails; a file whose name holds "full" refuses every write after its first
// 100 samples, as a full disk would. The times of the first write and of the last stop are
// kept for the benchmark.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

// The audio library's own declarations: the compiler holds every stand-in export to them.
#include "vovedodudo/vovedodudo.h"

namespace {

std::mutex g_lock;
std::string g_log;
std::vector<short> g_samples;
long long g_bytes = 0;
HWND g_window = nullptr;  // the open device's window, if any
bool g_idle = true;
bool g_silentDevice = false;
bool g_fullFile = false;
int g_handle = 0;
LONGLONG g_firstWrite = 0;
LONGLONG g_stop = 0;

void Log(const std::string& entry) { g_log += entry + "\n"; }

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

extern "C" {

void* WINAPI AudioOpen(int mode, HWND window, const char* file, int, int type) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("open " + std::to_string(mode) + " " + (file ? file : "(null)") + " " + std::to_string(type));
  if (file && std::strstr(file, "fail")) return nullptr;
  g_window = mode == 1 ? window : nullptr;
  g_fullFile = file && std::strstr(file, "full");
  g_idle = true;
  return &g_handle;
}

void WINAPI AudioStop(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_stop = Now();
  g_idle = true;
  Log("stop");
}

int WINAPI AudioPause(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("pause");
  return 0;
}

int WINAPI AudioResume(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("resume");
  return 0;
}

void WINAPI AudioClose(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("close");
  g_window = nullptr;
}

int WINAPI AudioSetFormat(void*, int rate, int bits, int channels, int tag, int) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("format " + std::to_string(rate) + " " + std::to_string(bits) + " " + std::to_string(channels) + " " +
      std::to_string(tag));
  return 0;
}

int WINAPI AudioWrite(const void* data, int bytesPerSample, int count, void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_firstWrite == 0) g_firstWrite = Now();
  if (g_fullFile && g_samples.size() + static_cast<size_t>(g_bytes) >= 100) return -1;
  const int taken = std::min(count, 1000);
  if (bytesPerSample == 2) {
    const short* samples = static_cast<const short*>(data);
    g_samples.insert(g_samples.end(), samples, samples + taken);
  } else {
    g_bytes += taken;
  }
  if (g_window != nullptr && taken > 0) {
    if (g_idle) PostMessageA(g_window, WM_USER + 100, 0, 0);
    g_idle = false;
    if (!g_silentDevice) PostMessageA(g_window, WM_USER + 101, 0, 0);
  }
  return taken;
}

// Test controls.
int WINAPI Fake_AudioLog(char* buf, int len) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (buf != nullptr && len > 0) {
    const size_t n = std::min(g_log.size(), static_cast<size_t>(len - 1));
    std::memcpy(buf, g_log.data(), n);
    buf[n] = '\0';
  }
  return static_cast<int>(g_log.size());
}
int WINAPI Fake_AudioSamples(short* out, int max) {
  std::lock_guard<std::mutex> guard(g_lock);
  const int n = std::min<int>(max, static_cast<int>(g_samples.size()));
  if (out != nullptr) std::copy(g_samples.begin(), g_samples.begin() + n, out);
  return static_cast<int>(g_samples.size());
}
long long WINAPI Fake_AudioBytes() {
  std::lock_guard<std::mutex> guard(g_lock);
  return g_bytes;
}
void WINAPI Fake_AudioSilentDevice(int silent) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_silentDevice = silent != 0;
}
void WINAPI Fake_AudioClear() {
  std::lock_guard<std::mutex> guard(g_lock);
  g_log.clear();
  g_samples.clear();
  g_bytes = 0;
  g_firstWrite = 0;
  g_stop = 0;
}
LONGLONG WINAPI Fake_AudioFirstWriteTime() { return g_firstWrite; }
LONGLONG WINAPI Fake_AudioStopTime() { return g_stop; }

}  // extern "C"
