#pragma once
// The player library as Mowik meets it: vrlplay.dll, loaded by its file name at the first
// call into it, each function looked up by its exported name at its own first call. A
// missing library or function is reported once through the reporter; the call then returns 0
// and Unavailable() turns true. Windows only.

#include <windows.h>

#include <string>

#include "mowik/output/player_api.h"
#include "mowik/output/player_reporter.h"

namespace mowik {

class VrlplayLibrary : public PlayerApi {
 public:
  explicit VrlplayLibrary(PlayerReporter& reporter, std::wstring fileName = L"vrlplay.dll");
  ~VrlplayLibrary() override;  // the library stays loaded: the player owns a thread in it
  VrlplayLibrary(const VrlplayLibrary&) = delete;
  VrlplayLibrary& operator=(const VrlplayLibrary&) = delete;

  int32_t IsPlaying() override;
  int32_t SetDatabase(const std::wstring& id) override;
  int32_t SetPitchRatio(float ratio) override;
  int32_t SetDurationRatio(float ratio) override;
  int32_t SetVoiceFreq(int32_t hertz) override;
  int32_t Play(const std::string& text, int32_t flags, const std::wstring& outFile,
               intptr_t target) override;
  int32_t Stop() override;
  int32_t Pause() override;
  int32_t Resume() override;
  int32_t WaitForEnd() override;
  int32_t SelectDatabaseAhead(const std::wstring& id) override;
  void Unload() override;
  int32_t LastError(char* buf, int32_t len) override;
  std::wstring TextFromPlayer(const std::string& text) const override;  // from the ANSI code page
  bool Unavailable() const override { return unavailable_; }

 private:
  enum Function { kIsPlaying, kSetDatabase, kSetPitchRatio, kSetDurationRatio, kSetVoiceFreq,
                  kPlay, kStop, kLastError, kPause, kResume, kWaitForEnd, kUnload,
                  kFunctionCount };

  // The function's address, looked up at its first use; nullptr (reported) when missing.
  void* Resolve(Function function);
  // The same for a function an older library lacks: nullptr, not reported.
  void* ResolveOptional(Function function);

  PlayerReporter& reporter_;
  std::wstring fileName_;
  HMODULE module_ = nullptr;  // never freed: see the destructor
  bool loadTried_ = false;
  bool unavailable_ = false;
  void* functions_[kFunctionCount] = {};
  bool resolved_[kFunctionCount] = {};
};

}  // namespace mowik
