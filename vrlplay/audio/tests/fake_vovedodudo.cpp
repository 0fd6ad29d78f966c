// The fake audio library: records calls, keeps the bytes, and posts the window messages as
// told. Runs in the test process only.
#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "vrlplay/audio/tests/fake_vovedodudo.h"

namespace {

using mowik::testing::FakeAudioBehaviour;

std::mutex lock;
FakeAudioBehaviour behaviour;
std::string log;
std::vector<uint8_t> data;
int taken = 0;
int handles = 0;
HWND window = nullptr;

void Log(const std::string& line) {
  std::lock_guard<std::mutex> locked(lock);
  log += line + "\n";
}

}  // namespace

extern "C" void* WINAPI AudioOpen(int mode, HWND notify, const char* fileName, int reserved, int fileType) {
  Log("open " + std::to_string(mode) + " " + (fileName ? fileName : "(null)") + " " + std::to_string(reserved) +
      " " + std::to_string(fileType));
  if (behaviour.openFails) return nullptr;
  window = mode == 1 ? notify : nullptr;
  return reinterpret_cast<void*>(static_cast<intptr_t>(++handles));
}

extern "C" void WINAPI AudioStop(void*) { Log("stop"); }
extern "C" int WINAPI AudioPause(void*) {
  Log("pause");
  return 0;
}
extern "C" int WINAPI AudioResume(void*) {
  Log("resume");
  return 0;
}

extern "C" void WINAPI AudioClose(void*) {
  Log("close");
  window = nullptr;
}

extern "C" int WINAPI AudioSetFormat(void*, int rate, int bits, int channels, int tag, int reserved) {
  Log("format " + std::to_string(rate) + " " + std::to_string(bits) + " " + std::to_string(channels) + " " +
      std::to_string(tag) + " " + std::to_string(reserved));
  return behaviour.formatRefused ? 1 : 0;
}

extern "C" int WINAPI AudioWrite(const void* samples, int bytesPerSample, int count, void*) {
  int n = std::min(count, behaviour.takeAtMost);
  if (behaviour.refuseAfter >= 0 && taken >= behaviour.refuseAfter) n = -1;
  Log("write " + std::to_string(bytesPerSample) + " " + std::to_string(count) + " -> " + std::to_string(n));
  if (n < 0) return n;
  {
    std::lock_guard<std::mutex> locked(lock);
    const uint8_t* bytes = static_cast<const uint8_t*>(samples);
    data.insert(data.end(), bytes, bytes + static_cast<size_t>(n) * bytesPerSample);
    taken += n;
  }
  if (window) {
    PostMessageA(window, WM_USER + 100, 0, 0);
    if (behaviour.playedAfterMs >= 0) {
      const HWND target = window;
      const int delay = behaviour.playedAfterMs;
      std::thread([target, delay] {
        Sleep(static_cast<DWORD>(delay));
        Log("played");
        PostMessageA(target, WM_USER + 101, 0, 0);
      }).detach();
    }
  }
  return n;
}

extern "C" void WINAPI FakeAudioSetup(const FakeAudioBehaviour* setup) {
  std::lock_guard<std::mutex> locked(lock);
  behaviour = *setup;
  log.clear();
  data.clear();
  taken = 0;
}

extern "C" int WINAPI FakeAudioLog(char* buffer, int size) {
  std::lock_guard<std::mutex> locked(lock);
  if (buffer) std::copy_n(log.data(), std::min<size_t>(log.size(), static_cast<size_t>(size)), buffer);
  return static_cast<int>(log.size());
}

extern "C" int WINAPI FakeAudioData(void* buffer, int size) {
  std::lock_guard<std::mutex> locked(lock);
  if (buffer) std::copy_n(data.data(), std::min<size_t>(data.size(), static_cast<size_t>(size)), static_cast<uint8_t*>(buffer));
  return static_cast<int>(data.size());
}
