// A stand-in vrlplay.dll beside a copy of mowik.exe: it plays nothing and records each call,
// one line per call in vrlplay-calls.log beside itself, and the text of every VRL_Play in
// vrlplay-play<N>.txt (N from 1), so that a test can see what the reader asked for; command
// streams (the voice selected ahead of the first reading) go to vrlplay-commands.txt instead.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Folder() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const char*>(&Folder), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

void Append(const std::string& file, const std::string& text) {
  if (FILE* out = std::fopen((Folder() + file).c_str(), "ab")) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
}

int plays = 0;

}  // namespace

extern "C" {

int WINAPI VRL_IsPlaying() { Append("vrlplay-calls.log", "IsPlaying\n"); return 0; }
int WINAPI VRL_SetDatabase(const char* id) { Append("vrlplay-calls.log", std::string("SetDatabase ") + id + "\n"); return 0; }
int WINAPI VRL_SetPitchRatio(float r) {
  char line[64];
  std::snprintf(line, sizeof line, "SetPitchRatio %.2f\n", r);
  Append("vrlplay-calls.log", line);
  return 0;
}
int WINAPI VRL_SetDurationRatio(float r) {
  char line[64];
  std::snprintf(line, sizeof line, "SetDurationRatio %.2f\n", r);
  Append("vrlplay-calls.log", line);
  return 0;
}
int WINAPI VRL_SetVoiceFreq(int hertz) { Append("vrlplay-calls.log", "SetVoiceFreq " + std::to_string(hertz) + "\n"); return 0; }
int WINAPI VRL_Play(const char* text, int flags, const char*, LONG_PTR) {
  Append("vrlplay-calls.log", "Play " + std::to_string(flags) + "\n");
  constexpr int kCommands = 0x200;
  if (flags & kCommands) {
    Append("vrlplay-commands.txt", text ? text : "");
    return 0;
  }
  ++plays;
  Append("vrlplay-play" + std::to_string(plays) + ".txt", text ? text : "");
  return 0;
}
int WINAPI VRL_Stop() { Append("vrlplay-calls.log", "Stop\n"); return 0; }
int WINAPI VRL_LastError(char* buf, int len) {
  if (buf && len > 0) buf[0] = '\0';
  return 0;
}
void WINAPI VRL_VRLUnload() { Append("vrlplay-calls.log", "VRLUnload\n"); }

}  // extern "C"
