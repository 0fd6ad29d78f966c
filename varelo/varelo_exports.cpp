// The exports of varelo.dll: a thin layer over the one Engine of the process. Nothing thrown
// inside may cross the DLL boundary, so each entry point that can allocate catches everything.

#include "varelo/varelo.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "varelo/engine.h"
#include "varelo/module_folder.h"

namespace {

using mowik::Engine;

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

template <typename F>
auto Guarded(F f, decltype(f()) failure) noexcept -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    return failure;
  }
}

int Load(const char* path, const char* rename, const char* clone) {
  return Guarded([&] { return TheEngine().Init(path, rename, clone, mowik::EngineFolder()); },
                 VARELO_ERR_DATABASE);
}

}  // namespace

extern "C" {

int WINAPI init_VRL(const char* path) { return Load(path, nullptr, nullptr); }

int WINAPI init_rename_VRL(const char* path, const char* rename, const char* clone) {
  return Load(path, rename, clone);
}

void WINAPI close_VRL(void) { TheEngine().Close(); }

void WINAPI reset_VRL(void) { TheEngine().Reset(); }

// Out of memory while taking a line: report "not taken"; the caller reads and tries again.
int WINAPI write_VRL(const char* line) {
  return Guarded([&] { return TheEngine().Write(line); }, 0);
}

int WINAPI flush_VRL(void) {
  return Guarded([] { return TheEngine().Flush(); }, 0);
}

int WINAPI read_VRL(short* samples, int capacity) {
  return Guarded([&] { return TheEngine().Read(samples, capacity); }, VARELO_ERR_BAD_LINE);
}

int WINAPI readtype_VRL(short* samples, int capacity, int* type) {
  return Guarded([&] { return TheEngine().Read(samples, capacity, type); }, VARELO_ERR_BAD_LINE);
}

int WINAPI lastError_VRL(void) { return TheEngine().LastError(); }

int WINAPI lastErrorStr_VRL(char* text, int size) {
  return Guarded(
      [&] {
        const std::string message = TheEngine().LastErrorText();
        if (!text) return static_cast<int>(message.size());
        const size_t room = size < 1 || size > VRL_ERROR_TEXT ? VRL_ERROR_TEXT : size;
        const size_t n = std::min(message.size(), room - 1);
        std::memcpy(text, message.data(), n);
        text[n] = '\0';
        return static_cast<int>(n);
      },
      0);
}

void WINAPI setNoError_VRL(int on) { TheEngine().SetNoError(on); }

int WINAPI getNoError_VRL(void) { return TheEngine().NoError(); }

void WINAPI setFreq_VRL(int hz) { TheEngine().SetRate(hz); }

int WINAPI getFreq_VRL(void) { return TheEngine().Rate(); }

void WINAPI setVolumeRatio_VRL(float ratio) { TheEngine().SetVolume(ratio); }

float WINAPI getVolumeRatio_VRL(void) { return TheEngine().Volume(); }

int WINAPI getVersion_VRL(char* text, int size) {
  if (text && size > 0) {
    const size_t n = std::min(std::strlen(mowik::kEngineVersionText), static_cast<size_t>(size) - 1);
    std::memcpy(text, mowik::kEngineVersionText, n);
    text[n] = '\0';
  }
  return mowik::kEngineVersion;
}

int WINAPI getDatabaseInfo_VRL(char* text, int size, int index) {
  return Guarded([&] { return TheEngine().DatabaseInfo(text, size, index); }, 0);
}

int WINAPI setParser_VRL(VRL_LINE_PARSER parser) {
  return Guarded(
      [&] {
        if (parser)
          TheEngine().SetParser([parser](const char* line, char* out, int size) {
            return parser(line, out, size);
          });
        else
          TheEngine().SetParser(nullptr);
        return 1;
      },
      0);
}

VRL_PHONE WINAPI init_Phone(const char* symbol, float durationMs) {
  if (!symbol || std::strlen(symbol) == 0 || std::strlen(symbol) > 7 || !std::isfinite(durationMs) ||
      durationMs < 0)
    return nullptr;
  auto* phone = new (std::nothrow) mowik::PhoneObject;
  if (!phone) return nullptr;
  phone->symbol = symbol;
  phone->durationMs = durationMs;
  return phone;
}

void WINAPI reset_Phone(VRL_PHONE phone) {
  if (phone) static_cast<mowik::PhoneObject*>(phone)->targets.clear();
}

int WINAPI appendf0_Phone(VRL_PHONE phone, float percent, float hz) {
  if (!phone || !(percent >= 0 && percent <= 100) || !(hz >= mowik::kMinPitchHz && hz <= mowik::kMaxPitchHz))
    return 0;
  auto* p = static_cast<mowik::PhoneObject*>(phone);
  if (p->targets.size() >= mowik::kMaxTargets) return 0;
  return Guarded(
      [&] {
        p->targets.push_back({percent, hz});
        return static_cast<int>(p->targets.size());
      },
      0);
}

int WINAPI close_Phone(VRL_PHONE phone) {
  if (!phone) return -1;
  auto* p = static_cast<mowik::PhoneObject*>(phone);
  const int taken = Guarded([&] { return TheEngine().WritePhone(*p); }, 0);
  if (taken) delete p;
  return taken;
}

}  // extern "C"
