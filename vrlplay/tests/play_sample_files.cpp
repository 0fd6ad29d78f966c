// Plays one second of the stand-in engine's speech (two lines of 500 ms at 16 kHz) through
// vrlplay.dll into every kind of sound file, in the folder named on the command line, for sox
// to read: pcm.wav, alaw.wav, mulaw.wav, linear.au, alaw-flag.au (the G.711 bits belong to
// file type 0 only) and samples.raw. Exits non-zero when the player reports an error.
#include <cstdio>
#include <string>

#include "vrlplay/vrlplay.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: play_sample_files FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  struct {
    const char* name;
    int flags;
  } const files[] = {
      {"pcm.wav", VRL_OUT_FILE_TYPE0},
      {"alaw.wav", VRL_OUT_FILE_TYPE0 | VRL_ALAW},
      {"mulaw.wav", VRL_OUT_FILE_TYPE0 | VRL_MULAW},
      {"linear.au", VRL_OUT_FILE_TYPE1},
      {"alaw-flag.au", VRL_OUT_FILE_TYPE1 | VRL_ALAW},
      {"samples.raw", VRL_OUT_FILE_TYPE2},
  };
  int failures = 0;
  for (const auto& file : files) {
    const std::string path = folder + file.name;
    const int result = VRL_Play("a 500\nb 500\n", VRL_WAIT | file.flags, path.c_str(), nullptr);
    if (result != 0) {
      char text[256] = {};
      VRL_LastError(text, sizeof text);
      std::fprintf(stderr, "%s: %d %s\n", file.name, result, text);
      ++failures;
    }
  }
  VRL_VRLUnload();
  return failures == 0 ? 0 : 1;
}
