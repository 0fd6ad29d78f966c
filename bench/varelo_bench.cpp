// Engine speed on the voice pl1 (prints figures, asserts nothing):
//  - real-time factor: a minute of Mowik's phoneme text through write, flush and read;
//  - time to the first block: from writing the third line of an utterance to the first read
//    that returns samples;
//  - loading the voice, the first time and again (the engine keeps the last one read).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mowik/frontend/speak_text.h"
#include "mowik/program/main_module.h"
#include "mowik/program/random_between.h"
#include "varelo/engine.h"
#include "varelo/module_folder.h"

namespace mowik {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class Recorder : public PhonemeSink {
 public:
  void PlaySampa(const std::string& text) override { this->text = text; }
  std::string text;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t lf = text.find('\n', at);
    const size_t end = lf == std::string::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

int Main() {
  Engine engine;
  const Clock::time_point load0 = Clock::now();
  if (engine.Init("pl1", nullptr, nullptr, EngineFolder()) != kEngineOk) {
    std::fprintf(stderr, "varelo_bench: %s\n", engine.LastErrorText().c_str());
    return 1;
  }
  const Clock::time_point load1 = Clock::now();
  engine.Init("pl1", nullptr, nullptr, EngineFolder());
  const Clock::time_point load2 = Clock::now();

  InitialiseGlobals();
  FixRandomDraw(0.5);
  std::vector<std::string> lines;
  for (std::wstring sentence : TestSentences) {
    Recorder r;
    SpeakText(sentence, NormaliseOptions{}, r);
    for (std::string& line : Lines(r.text)) lines.push_back(std::move(line));
  }
  const size_t perRound = lines.size();

  // A minute of speech or more, fed as a player feeds it.
  std::vector<std::string> minute;
  size_t samples = 0;
  int16_t block[kBlockSamples];
  auto drain = [&] {
    for (int n; (n = engine.Read(block, kBlockSamples)) > 0;) samples += static_cast<size_t>(n);
  };
  double totalMs = 0;
  for (size_t i = 0; totalMs < 60000; i = (i + 1) % perRound) {
    minute.push_back(lines[i]);
    double ms = 0;
    char symbol[16];
    if (std::sscanf(lines[i].c_str(), "%15s %lf", symbol, &ms) == 2) totalMs += ms;
  }
  // Nine runs of the minute: the first also faults the mapped voice in and checks its blocks'
  // checksums; the median and the fastest are the engine's own speed.
  std::vector<double> runs;
  size_t perRun = 0;
  for (int run = 0; run < 9; ++run) {
    engine.Reset();
    samples = 0;
    const Clock::time_point s0 = Clock::now();
    for (const std::string& line : minute)
      if (engine.Write(line.c_str()) == 0) {
        drain();
        engine.Write(line.c_str());
      }
    if (engine.Flush() == 0) {
      drain();
      engine.Flush();
    }
    drain();
    runs.push_back(Ms(Clock::now() - s0));
    perRun = samples;
  }
  const double coldMs = runs.front();
  std::sort(runs.begin(), runs.end());
  const double synthMs = runs[runs.size() / 2], fastestMs = runs.front();
  const double audioMs = perRun / 16.0;

  // Time to the first block, over many utterances.
  std::vector<double> first;
  for (int round = 0; round < 200; ++round) {
    engine.Reset();
    engine.Write(lines[0].c_str());
    engine.Write(lines[1].c_str());
    const Clock::time_point t0 = Clock::now();
    engine.Write(lines[2].c_str());
    int n = 0;
    while ((n = engine.Read(block, kBlockSamples)) == 0) {
    }
    first.push_back(Ms(Clock::now() - t0));
    if (n < 0) break;
  }
  std::sort(first.begin(), first.end());

  std::printf("speech synthesized     %.1f s in %.1f ms: %.0f times faster than real time (median)\n",
              audioMs / 1000, synthMs, audioMs / synthMs);
  std::printf("a minute of speech in  %.1f ms\n", synthMs * 60000 / audioMs);
  std::printf("  (median of %zu runs; the fastest %.1f ms: %.0f times; the first, voice cold, %.1f ms: %.0f times)\n",
              runs.size(), fastestMs, audioMs / fastestMs, coldMs, audioMs / coldMs);
  std::printf("first block after the third line: median %.3f ms, worst %.3f ms (%zu utterances)\n",
              first[first.size() / 2], first.back(), first.size());
  std::printf("loading pl1            %.1f ms, again (kept) %.3f ms\n", Ms(load1 - load0),
              Ms(load2 - load1));
  return 0;
}

}  // namespace
}  // namespace mowik

int main() { return mowik::Main(); }
