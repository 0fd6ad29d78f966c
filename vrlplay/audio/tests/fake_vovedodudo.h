#pragma once
// The test double of the audio library, a DLL of the same name placed beside the contract
// tests: it records every call and the bytes written, and behaves as set up.
#include <windows.h>

#include <string>
#include <vector>

namespace mowik::testing {

struct FakeAudioBehaviour {
  bool openFails = false;
  bool formatRefused = false;
  int takeAtMost = 1 << 30;  // samples taken per AudioWrite
  int refuseAfter = -1;  // AudioWrite returns -1 once this many samples were taken (-1: never)
  // Device mode: post 0x465 this long after each write, from another thread (-1: never).
  int playedAfterMs = 0;
};

// Ordinal 100: resets the log and data and sets the behaviour.
using FakeAudioSetupFn = void(WINAPI*)(const FakeAudioBehaviour*);
// Ordinal 101: the calls so far, one a line ("open 2 file.wav 0", "format 8000 8 1 6",
// "write 1 2048", "stop", "close", and "played" when 0x465 was posted).
using FakeAudioLogFn = int(WINAPI*)(char* buffer, int size);
// Ordinal 102: every byte written so far.
using FakeAudioDataFn = int(WINAPI*)(void* buffer, int size);

class FakeAudio {
 public:
  explicit FakeAudio(const FakeAudioBehaviour& behaviour = {});
  std::vector<std::string> Log() const;
  std::vector<uint8_t> Data() const;

 private:
  HMODULE module_;
};

}  // namespace mowik::testing
