#pragma once
// mowik-sapi.dll of the Windows folder, loaded by path, and what the tests share.

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "sapi/windows/sapi_engine_api.h"

namespace mowik {

inline const std::wstring kProductDir = MOWIK_PRODUCT_DIR;
inline const std::wstring kSapiDll = kProductDir + L"/mowik-sapi.dll";

// A voice object made by the DLL's own class factory (no registration needed); null on
// failure, with the reason in the test log.
ISpTTSEngine* CreateEngineFromDll();

// Runs a program and waits for it; its exit code, or -1 when it could not start.
DWORD RunProgram(const std::wstring& commandLine);

// A list of SAPI text fragments over texts the caller keeps.
class FragmentList {
 public:
  FragmentList& Speak(const std::wstring& text, ULONG sourceOffset = 0);
  FragmentList& Bookmark(const std::wstring& name, ULONG sourceOffset);
  FragmentList& Last(void (*change)(SPVSTATE&));
  const SPVTEXTFRAG* Head();

 private:
  std::deque<std::wstring> texts_;  // stable places for the fragments' pointers
  std::vector<SPVTEXTFRAG> frags_;
};

inline WAVEFORMATEX VoiceFormat() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 16000;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = 32000;
  return format;
}

}  // namespace mowik
