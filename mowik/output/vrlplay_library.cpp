#include "mowik/output/vrlplay_library.h"

#include <windows.h>

#include "vrlplay/vrlplay.h"
#include "win32/ansi_text.h"

namespace mowik {
namespace {

constexpr const char* kFunctionNames[] = {
    "VRL_IsPlaying", "VRL_SetDatabase", "VRL_SetPitchRatio", "VRL_SetDurationRatio",
    "VRL_SetVoiceFreq", "VRL_Play", "VRL_Stop", "VRL_LastError", "VRL_Pause", "VRL_Resume",
    "VRL_WaitForEnd", "VRL_VRLUnload",
};

// Typed as the player's header declares them.
using IsPlayingFn = decltype(&VRL_IsPlaying);
using SetDatabaseFn = decltype(&VRL_SetDatabase);
using SetRatioFn = decltype(&VRL_SetPitchRatio);
using SetVoiceFreqFn = decltype(&VRL_SetVoiceFreq);
using PlayFn = decltype(&VRL_Play);
using StopFn = decltype(&VRL_Stop);
using LastErrorFn = decltype(&VRL_LastError);
using PauseFn = decltype(&VRL_Pause);  // VRL_Resume's too
using WaitForEndFn = decltype(&VRL_WaitForEnd);
using UnloadFn = decltype(&VRL_VRLUnload);

// Text for the player goes in the system's ANSI code page, and comes back in it.
std::string Ansi(const std::wstring& text) { return win32::AnsiFromWide(text); }

std::wstring Wide(const char* text) {
  std::wstring out;
  for (; *text; ++text) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
  return out;
}

}  // namespace

VrlplayLibrary::VrlplayLibrary(PlayerReporter& reporter, std::wstring fileName)
    : reporter_(reporter), fileName_(std::move(fileName)) {}

VrlplayLibrary::~VrlplayLibrary() = default;

void* VrlplayLibrary::Resolve(Function function) {
  if (resolved_[function]) return functions_[function];
  if (!loadTried_) {
    loadTried_ = true;
    // Given with its folder, the library finds its own libraries (engine, audio) there too.
    const bool hasFolder = fileName_.find_first_of(L"\\/") != std::wstring::npos;
    module_ = LoadLibraryExW(fileName_.c_str(), nullptr, hasFolder ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    if (!module_) {
      unavailable_ = true;
      reporter_.ShowPlayerError(L"Can't load " + fileName_ +
                                L" (looked for it beside the program, in the system folders "
                                L"and on the PATH); nothing is spoken.");
    }
  }
  resolved_[function] = true;
  if (!module_) return nullptr;
  functions_[function] = reinterpret_cast<void*>(
      GetProcAddress(module_, kFunctionNames[function]));
  if (!functions_[function]) {
    unavailable_ = true;
    reporter_.ShowPlayerError(fileName_ + L" has no function " + Wide(kFunctionNames[function]) +
                              L"; nothing is spoken.");
  }
  return functions_[function];
}

int32_t VrlplayLibrary::IsPlaying() {
  auto fn = reinterpret_cast<IsPlayingFn>(Resolve(kIsPlaying));
  return fn ? fn() : 0;
}

int32_t VrlplayLibrary::SetDatabase(const std::wstring& id) {
  auto fn = reinterpret_cast<SetDatabaseFn>(Resolve(kSetDatabase));
  return fn ? fn(Ansi(id).c_str()) : 0;
}

int32_t VrlplayLibrary::SetPitchRatio(float ratio) {
  auto fn = reinterpret_cast<SetRatioFn>(Resolve(kSetPitchRatio));
  return fn ? fn(ratio) : 0;
}

int32_t VrlplayLibrary::SetDurationRatio(float ratio) {
  auto fn = reinterpret_cast<SetRatioFn>(Resolve(kSetDurationRatio));
  return fn ? fn(ratio) : 0;
}

int32_t VrlplayLibrary::SetVoiceFreq(int32_t hertz) {
  auto fn = reinterpret_cast<SetVoiceFreqFn>(Resolve(kSetVoiceFreq));
  return fn ? fn(hertz) : 0;
}

int32_t VrlplayLibrary::Play(const std::string& text, int32_t flags, const std::wstring& outFile,
                             intptr_t target) {
  auto fn = reinterpret_cast<PlayFn>(Resolve(kPlay));
  return fn ? fn(text.c_str(), flags, Ansi(outFile).c_str(), reinterpret_cast<void*>(target)) : 0;
}

int32_t VrlplayLibrary::Stop() {
  auto fn = reinterpret_cast<StopFn>(Resolve(kStop));
  return fn ? fn() : 0;
}

void* VrlplayLibrary::ResolveOptional(Function function) {
  if (resolved_[function]) return functions_[function];
  if (!module_ && Resolve(kIsPlaying) == nullptr) return nullptr;  // loads, and reports a missing library
  resolved_[function] = true;
  functions_[function] = reinterpret_cast<void*>(GetProcAddress(module_, kFunctionNames[function]));
  return functions_[function];
}

int32_t VrlplayLibrary::Pause() {
  auto fn = reinterpret_cast<PauseFn>(ResolveOptional(kPause));
  return fn ? fn() : VRL_ERR_NOT_PLAYING;
}

int32_t VrlplayLibrary::Resume() {
  auto fn = reinterpret_cast<PauseFn>(ResolveOptional(kResume));
  return fn ? fn() : VRL_ERR_NOT_PLAYING;
}

int32_t VrlplayLibrary::WaitForEnd() {
  auto fn = reinterpret_cast<WaitForEndFn>(ResolveOptional(kWaitForEnd));
  return fn ? fn() : 0;
}

void VrlplayLibrary::Unload() {
  if (!module_) return;  // never loaded: no thread to end, and nothing to load now
  if (auto fn = reinterpret_cast<UnloadFn>(ResolveOptional(kUnload))) fn();
}

int32_t VrlplayLibrary::SelectDatabaseAhead(const std::wstring& id) {
  const std::string name = Ansi(id);
  // A line break in the name would start a command of its own.
  if (name.empty() || name.find_first_of("\r\n") != std::string::npos) return 0;
  return Play("database=" + name + "\n", VRL_COMMANDS | VRL_NO_OUTPUT, L"0", 0);
}

int32_t VrlplayLibrary::LastError(char* buf, int32_t len) {
  auto fn = reinterpret_cast<LastErrorFn>(Resolve(kLastError));
  return fn ? fn(buf, len) : 0;
}

std::wstring VrlplayLibrary::TextFromPlayer(const std::string& text) const { return win32::WideFromAnsi(text); }

}  // namespace mowik
