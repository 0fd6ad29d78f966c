// A stand-in vrlplay.dll for the bridge's tests: it records every call in a log and answers
// with results the test sets. Built twice: as vrlplay.dll, and without VRL_Stop as
// vrlplay_partial.dll.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

// The player's own declarations: the compiler holds every stand-in export to the player's
// signature and calling convention.
#include "vrlplay/vrlplay.h"

namespace {

std::string calls;
std::string error_text;
int results[8] = {};  // by the order of the names below
int playing = 0;
const char* const kNames[] = {"IsPlaying", "SetDatabase", "SetPitchRatio", "SetDurationRatio",
                              "SetVoiceFreq", "Play", "Stop", "LastError"};

int Result(const char* name) {
  for (int i = 0; i < 8; ++i)
    if (std::strcmp(kNames[i], name) == 0) return results[i];
  return 0;
}

void Log(const std::string& entry) { calls += entry + "\n"; }

}  // namespace

extern "C" {

int WINAPI VRL_IsPlaying() { Log("IsPlaying"); return playing; }
int WINAPI VRL_SetDatabase(const char* id) { Log(std::string("SetDatabase ") + id); return Result("SetDatabase"); }
int WINAPI VRL_SetPitchRatio(float r) { char t[64]; std::snprintf(t, sizeof t, "SetPitchRatio %.2f", r); Log(t); return Result("SetPitchRatio"); }
int WINAPI VRL_SetDurationRatio(float r) { char t[64]; std::snprintf(t, sizeof t, "SetDurationRatio %.2f", r); Log(t); return Result("SetDurationRatio"); }
int WINAPI VRL_SetVoiceFreq(int f) { Log("SetVoiceFreq " + std::to_string(f)); return Result("SetVoiceFreq"); }
int WINAPI VRL_Play(const char* text, int flags, const char* outFile, void* target) {
  Log("Play [" + std::string(text) + "] " + std::to_string(flags) + " " + outFile + " " +
      std::to_string(reinterpret_cast<LONG_PTR>(target)));
  return Result("Play");
}
int WINAPI VRL_Stop() { Log("Stop"); return Result("Stop"); }
int WINAPI VRL_LastError(char* buf, int len) {
  Log("LastError " + std::to_string(len));
  if (!buf) return 0;
  if (error_text.empty() || len < 1) return 0;
  const size_t n = std::min<size_t>(error_text.size() + 1, static_cast<size_t>(len));
  std::memcpy(buf, error_text.data(), n - 1);
  buf[n - 1] = '\0';
  return static_cast<int>(n);
}

// Test controls.
int WINAPI Fake_TakeCalls(char* buf, int len) {
  const int n = static_cast<int>(std::min<size_t>(calls.size(), static_cast<size_t>(len - 1)));
  std::memcpy(buf, calls.data(), static_cast<size_t>(n));
  buf[n] = '\0';
  calls.clear();
  return n;
}
void WINAPI Fake_SetResult(const char* name, int result) {
  for (int i = 0; i < 8; ++i)
    if (std::strcmp(kNames[i], name) == 0) results[i] = result;
}
void WINAPI Fake_SetErrorText(const char* text) { error_text = text; }
void WINAPI Fake_SetPlaying(int value) { playing = value; }

}  // extern "C"
