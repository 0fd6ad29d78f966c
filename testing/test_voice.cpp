#include "testing/test_voice.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#ifdef _WIN32
#include <process.h>
#define MOWIK_PROCESS_ID _getpid
#else
#include <unistd.h>
#define MOWIK_PROCESS_ID getpid
#endif

namespace mowik::testing {
namespace {

constexpr uint32_t kRate = 16000;
constexpr uint32_t kPeriod = 128;  // 125 Hz
constexpr uint32_t kHalf = 800;    // samples of each phone in a diphone
constexpr uint32_t kMargin = 160;

struct Phone {
  const char* symbol;
  double resonance;  // Hz of a voiced phone's ringing, 0 for none
  bool noise;
  bool stop;
};

constexpr Phone kPhones[] = {
    {"_", 0, false, false}, {"a", 700, false, false}, {"o", 450, false, false},
    {"m", 250, false, false}, {"s", 0, true, false}, {"t", 0, true, true},
};

// Sample n (relative to the diphone start) of a phone whose own stretch starts at from.
double Sample(const Phone& p, uint32_t n, uint32_t from, uint32_t half, uint32_t& noise) {
  noise = noise * 1664525u + 1013904223u;
  const double white = static_cast<double>(static_cast<int32_t>(noise)) / 2147483648.0;
  if (p.noise) {
    if (p.stop && n - from < half / 2) return 0;  // closure
    return 3000 * white;
  }
  if (p.resonance == 0) return 0;
  // A decaying ring started by each pulse at the marks kPeriod / 2 + k kPeriod.
  const uint32_t since = (n + kPeriod / 2) % kPeriod;
  const double t = since / static_cast<double>(kRate);
  return 8000 * std::exp(-t * 400) * std::sin(2 * std::numbers::pi * p.resonance * t);
}

// Take 0 has phones of kHalf samples a side; each further take is twice as fast and half as loud.
void AddDiphone(VoiceDatabase& v, uint16_t a, uint16_t b, int take, uint32_t& noise) {
  const uint32_t half = kHalf >> take;
  Diphone d;
  d.left = a, d.right = b;
  d.firstSample = static_cast<uint32_t>(v.samples.size());
  d.sampleCount = 2 * kMargin + 2 * half + 1;
  d.start = kMargin;
  d.boundary = kMargin + half;
  d.end = kMargin + 2 * half;
  for (uint32_t i = 0; i < d.sampleCount; ++i) {
    const bool second = i >= d.boundary;
    const double x = Sample(kPhones[second ? b : a], i, second ? d.boundary : 0, half, noise) / (1 + take);
    v.samples.push_back(static_cast<int16_t>(std::lround(x)));
  }
  d.firstMark = static_cast<uint32_t>(v.marks.size());
  for (uint32_t m = kPeriod / 2; m < d.sampleCount; m += kPeriod) {
    const Phone& p = kPhones[m >= d.boundary ? b : a];
    v.marks.push_back(m | (p.resonance > 0 ? kMarkVoiced : 0));
    ++d.markCount;
  }
  v.diphones.push_back(d);
}

}  // namespace

VoiceDatabase MakeTestVoice(int takes) {
  VoiceDatabase v;
  v.sampleRate = kRate;
  v.pitchCentiHz = 12500;
  for (const Phone& p : kPhones) v.symbols.push_back(p.symbol);
  v.info = {"name: test", "language: none", "source: made up for tests", "built: by the tests"};
  uint32_t noise = 1;
  const uint16_t n = static_cast<uint16_t>(std::size(kPhones));
  for (uint16_t a = 0; a < n; ++a)
    for (uint16_t b = 0; b < n; ++b)
      if (a != 0 || b != 0)
        for (int take = 0; take < takes; ++take) AddDiphone(v, a, b, take, noise);
  v.Index();
  return v;
}

std::string WriteTestVoice(const std::string& name, int takes) {
  return WriteVoiceBytes(name, SerializeVoice(MakeTestVoice(takes)));
}

std::string WriteVoiceBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  // One file per process: ctest runs tests of the same program side by side, and one of them
  // must never read the file while another rewrites it.
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / (name + "-" + std::to_string(MOWIK_PROCESS_ID()));
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::vector<int16_t> Speak(Engine& engine, const std::string& text, int* error) {
  std::vector<int16_t> out;
  int16_t block[kBlockSamples];
  int failure = 0;
  auto drain = [&] {
    for (;;) {
      const int n = engine.Read(block, kBlockSamples);
      if (n < 0 && failure == 0) failure = n;
      if (n <= 0) return;
      out.insert(out.end(), block, block + n);
    }
  };
  size_t at = 0;
  while (at < text.size()) {
    const size_t lf = text.find('\n', at);
    const size_t end = lf == std::string::npos ? text.size() : lf + 1;
    const std::string line = text.substr(at, end - at);
    if (engine.Write(line.c_str()) == 0) {
      drain();
      engine.Write(line.c_str());
    }
    at = end;
  }
  if (engine.Flush() == 0) {
    drain();
    engine.Flush();
  }
  drain();
  if (error) *error = failure;
  return out;
}

}  // namespace mowik::testing
