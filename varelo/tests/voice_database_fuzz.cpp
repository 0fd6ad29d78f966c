// Any bytes as a voice file. The checksum is set right first, so the structure checks behind
// it are what is fuzzed; a voice that passes them is then spoken from, pair by pair.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "varelo/crc32.h"
#include "varelo/synthesizer.h"
#include "varelo/voice_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  if (bytes.size() >= 4) {
    const uint32_t crc = mowik::Crc32(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
  }
  auto voice = std::make_shared<mowik::VoiceDatabase>();
  std::string error;
  if (!mowik::ParseVoice(bytes, *voice, error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  mowik::Synthesizer synth(voice);
  const int n = static_cast<int>(voice->symbols.size());
  for (int a = 0; a < n && a < 8; ++a)
    for (int b = 0; b < n && b < 8; ++b) {
      synth.Push({a, 20, {{0, 90}}});
      synth.Push({b, 20, {{100, 300}}});
    }
  synth.Finish();
  int16_t block[4096];
  while (synth.Take(block, 4096, 1.0f) > 0) {
  }
  return 0;
}
