// A stand-in audio library for the player's tests: records every call and keeps the samples
// written, taking at most 1000 per AudioWrite as a device paced by playback would. Opening a
// file whose name holds "fail" fails. The times of the first write and of the last stop are
// kept for the benchmark.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

std::mutex g_lock;
std::string g_log;
std::vector<short> g_samples;
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

void* WINAPI AudioOpen(int mode, HWND, const char* file, int, int type) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("open " + std::to_string(mode) + " " + (file ? file : "(null)") + " " + std::to_string(type));
  if (file && std::strstr(file, "fail")) return nullptr;
  return &g_handle;
}

void WINAPI AudioStop(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_stop = Now();
  Log("stop");
}

void WINAPI AudioClose(void*) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("close");
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
  const int taken = std::min(count, 1000);
  if (bytesPerSample == 2) {
    const short* samples = static_cast<const short*>(data);
    g_samples.insert(g_samples.end(), samples, samples + taken);
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
void WINAPI Fake_AudioClear() {
  std::lock_guard<std::mutex> guard(g_lock);
  g_log.clear();
  g_samples.clear();
  g_firstWrite = 0;
  g_stop = 0;
}
LONGLONG WINAPI Fake_AudioFirstWriteTime() { return g_firstWrite; }
LONGLONG WINAPI Fake_AudioStopTime() { return g_stop; }

}  // extern "C"
