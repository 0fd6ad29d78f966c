// Stand-in output until the audio outputs (CAudioOutput, with its hidden window, G.711 and
// the decimation filter) are linked in: 16-bit samples straight to the audio library's five
// ordinals. 8-bit A-law and mu-law are refused as a format (status -1), and a device close
// does not wait for the end of playback.
#include <windows.h>

#include <string>

#include "vrlplay/module_folder.h"
#include "vrlplay/output_seam.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

using AudioOpenFunction = void*(WINAPI*)(int mode, HWND window, const char* file, int zero, int type);
using AudioHandleFunction = void(WINAPI*)(void* handle);
using AudioSetFormatFunction = int(WINAPI*)(void* handle, int rate, int bits, int channels, int tag, int zero);
using AudioWriteFunction = int(WINAPI*)(const void* data, int bytesPerSample, int count, void* handle);

class StandInOutput : public PlayerOutput {
 public:
  StandInOutput(int flags, const char* outFile, int rate) : kind_(OutputKindOf(flags)) {
    const std::string folder = OwnModuleFolder();
    library_ = LoadLibraryExA((folder + "vovedodudo.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library_ == nullptr) library_ = LoadLibraryA("vovedodudo.dll");
    if (library_ == nullptr || !Resolve()) {
      status_ = -2;
      return;
    }
    const int mode = kind_ == 4 ? 1 : 2;
    handle_ = open_(mode, nullptr, kind_ == 4 ? nullptr : outFile, 0, kind_ == 4 ? 0 : kind_);
    if (handle_ == nullptr) {
      status_ = -2;
      return;
    }
    if (kind_ == 0 && (flags & (VRL_ALAW | VRL_MULAW))) {
      status_ = -1;
      return;
    }
    if (setFormat_(handle_, rate, 16, 1, 1, 0) != 0) status_ = -1;
  }

  ~StandInOutput() override {
    Close();
    if (library_ != nullptr) FreeLibrary(library_);
  }

  void Close() override {
    if (status_ == 0 && kind_ == 4 && written_ == 0) {
      static const int16_t silence[4096] = {};
      Write(silence, 4096);
    }
    if (handle_ != nullptr) close_(handle_);
    handle_ = nullptr;
    status_ = 0;
    closed_ = true;
  }

  void Stop() override {
    if (status_ == 0 && handle_ != nullptr) stop_(handle_);
  }

  bool Write(const int16_t* samples, int count) override {
    if (status_ != 0 || handle_ == nullptr || closed_) return false;
    int taken = 0;
    while (taken < count) {
      const int now = write_(samples + taken, 2, count - taken, handle_);
      if (now <= 0) break;  // a library that takes nothing must not hang the play thread
      taken += now;
    }
    written_ += count;
    return true;
  }

  int Status() const override { return status_; }
  int Kind() const override { return kind_; }

 private:
  bool Resolve() {
    open_ = reinterpret_cast<AudioOpenFunction>(reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(1))));
    stop_ = reinterpret_cast<AudioHandleFunction>(reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(2))));
    close_ = reinterpret_cast<AudioHandleFunction>(reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(3))));
    setFormat_ = reinterpret_cast<AudioSetFormatFunction>(reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(4))));
    write_ = reinterpret_cast<AudioWriteFunction>(reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(5))));
    return open_ && stop_ && close_ && setFormat_ && write_;
  }

  int kind_;
  int status_ = 0;
  bool closed_ = false;
  long long written_ = 0;
  HMODULE library_ = nullptr;
  void* handle_ = nullptr;
  AudioOpenFunction open_ = nullptr;
  AudioHandleFunction stop_ = nullptr;
  AudioHandleFunction close_ = nullptr;
  AudioSetFormatFunction setFormat_ = nullptr;
  AudioWriteFunction write_ = nullptr;
};

}  // namespace

std::unique_ptr<PlayerOutput> OpenPlayerOutput(void*, int flags, const char* outFile, int rate) {
  return std::make_unique<StandInOutput>(flags, outFile, rate);
}

}  // namespace mowik
