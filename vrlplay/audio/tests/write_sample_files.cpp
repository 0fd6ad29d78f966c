// Writes 16002 samples (1.000125 s) of a 16 kHz tone through CAudioOutput into every file
// output, for the sox checks of check_sample_files.cmake (the 8001 G.711 bytes need the WAV
// pad byte):
//   write_sample_files DIR
// DIR receives pcm.wav, alaw.wav, mulaw.wav, linear.au, samples.raw, the input (input.raw)
// and the filtered half-rate samples that the A-law and mu-law files encode
// (alaw.filtered.raw, mulaw.filtered.raw; 8 kHz, 16-bit little-endian).
#include <cmath>
#include <numbers>
#include <cstdio>
#include <string>
#include <vector>

#include "vrlplay/audio/audio_output.h"
#include "soundformat/decimation_filter.h"

namespace {

bool Save(const std::string& path, const void* data, size_t bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, bytes, file) == bytes;
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_sample_files DIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  std::vector<int16_t> input(16002);
  for (size_t i = 0; i < input.size(); ++i)
    input[i] = static_cast<int16_t>(std::lround(9000 * std::sin(2 * std::numbers::pi * 440 * i / 16000.0) +
                                                4000 * std::sin(2 * std::numbers::pi * 6000 * i / 16000.0)));

  // The library's filter history runs on from the A-law file into the mu-law file; so does
  // this one.
  mowik::DecimationFilter filter;
  const struct {
    const char* name;
    int flags;
  } files[] = {
      {"pcm.wav", mowik::kOutputFileType0},
      {"alaw.wav", mowik::kOutputFileType0 | mowik::kOutputALaw},
      {"mulaw.wav", mowik::kOutputFileType0 | mowik::kOutputMuLaw},
      {"linear.au", mowik::kOutputFileType1},
      {"samples.raw", mowik::kOutputFileType2},
  };
  for (const auto& file : files) {
    auto output = mowik::OpenAudioOutput(GetModuleHandleA(nullptr), file.flags, (dir + file.name).c_str(), 16000);
    if (output->Status() != mowik::kOutputReady) {
      std::fprintf(stderr, "%s: status %d\n", file.name, output->Status());
      return 1;
    }
    for (size_t at = 0; at < input.size(); at += 4096) {
      const int n = static_cast<int>(std::min<size_t>(4096, input.size() - at));
      if (!output->Write(input.data() + at, n)) {
        std::fprintf(stderr, "%s: write refused\n", file.name);
        return 1;
      }
    }
    if (file.flags & (mowik::kOutputALaw | mowik::kOutputMuLaw)) {
      std::vector<int16_t> filtered(input.size() / 2);
      for (size_t at = 0; at < input.size(); at += 4096)
        filter.Process(input.data() + at, std::min<size_t>(4096, input.size() - at), filtered.data() + at / 2);
      const std::string name = file.flags & mowik::kOutputALaw ? "alaw.filtered.raw" : "mulaw.filtered.raw";
      if (!Save(dir + name, filtered.data(), filtered.size() * 2)) return 1;
    }
  }
  return Save(dir + "input.raw", input.data(), input.size() * 2) ? 0 : 1;
}
