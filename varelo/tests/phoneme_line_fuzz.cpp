// Any bytes as phoneme text: through the line parser, then through the engine with the made-up
// voice, strict and lenient. No crash, no hang, and every read within its block.

#include <cstddef>
#include <cstdint>
#include <string>

#include "varelo/engine.h"
#include "testing/test_voice.h"

namespace {

mowik::Engine& FuzzEngine() {
  static mowik::Engine* engine = [] {
    auto* e = new mowik::Engine;
    e->Init(mowik::testing::WriteTestVoice("varelo_fuzz_voice").c_str(), nullptr, nullptr, "");
    return e;
  }();
  return *engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool lenient = data[0] & 1;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // Keep the audio short enough for a fuzzer: skip the engine when the lines ask for long.
  double ms = 0;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t lf = std::min(text.find('\n', at), text.size());
    const mowik::PhonemeLine p = mowik::ParsePhonemeLine(std::string_view(text).substr(at, lf - at), lenient);
    if (p.kind == mowik::PhonemeLine::Kind::kPhoneme) ms += p.durationMs * mowik::kMaxRatio;
    at = lf + 1;
  }
  if (ms > 20000) return 0;

  mowik::Engine& engine = FuzzEngine();
  engine.Reset();
  engine.SetNoError(lenient);
  engine.SetRate((data[0] & 2) ? 22050 : 0);
  int16_t block[mowik::kBlockSamples];
  auto drain = [&] {
    for (int n; (n = engine.Read(block, mowik::kBlockSamples)) > 0;)
      if (n > mowik::kBlockSamples) __builtin_trap();
  };
  if (engine.Write(text.c_str()) == 0) {
    drain();
    engine.Write(text.c_str());
  }
  if (engine.Flush() == 0) {
    drain();
    engine.Flush();
  }
  drain();
  engine.Write(";; F = 1\n;; T = 1\n");
  engine.Reset();
  return 0;
}
