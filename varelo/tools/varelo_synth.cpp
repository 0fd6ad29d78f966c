// varelo-synth: phoneme text to a WAV file through the engine.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "varelo/engine.h"
#include "varelo/module_folder.h"
#include "varelo/phoneme_line.h"
#include "varelo/tools/wav_file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace mowik {
namespace {

constexpr char kUsage[] =
    "usage: varelo-synth [options] [FILE]\n"
    "Reads phoneme text (one phoneme a line: SYMBOL DURATION_MS [POSITION_% PITCH_HZ]...) from\n"
    "FILE or standard input and writes it as speech to a WAV file.\n"
    "\n"
    "  -o FILE        the WAV file to write (default varelo.wav)\n"
    "  -d DATABASE    the voice database (default pl1, also looked for beside this program)\n"
    "  -f HZ          output sample rate (default: the database's own)\n"
    "  --pitch X      pitch ratio (default 1)\n"
    "  --time X       duration ratio (default 1)\n"
    "  --volume X     volume ratio (default 1)\n"
    "  --no-error     unknown phonemes become silence, bad values are clamped\n"
    "  --help         show this text\n";

int Fail(const std::string& text, int status) {
  std::cerr << "varelo-synth: " << text << "\n";
  return status;
}

bool Number(const char* text, double& value) { return text && ParseDecimal(text, value); }

// Reads what the engine has ready into out; false on an engine error.
bool Drain(Engine& engine, std::vector<int16_t>& out) {
  int16_t block[kBlockSamples];
  for (;;) {
    const int n = engine.Read(block, kBlockSamples);
    if (n < 0) return false;
    if (n == 0) return true;
    out.insert(out.end(), block, block + n);
  }
}

bool Send(Engine& engine, const std::string& line, std::vector<int16_t>& out) {
  if (engine.Write(line.c_str()) != 0) return true;
  if (!Drain(engine, out)) return false;
  return engine.Write(line.c_str()) != 0;
}

int Main(int argc, char** argv) {
  std::string output = "varelo.wav", database = "pl1", input;
  double rate = 0, pitch = 1, time = 1, volume = 1;
  bool noError = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto number = [&](double& v) {
      if (!Number(value, v)) return false;
      ++i;
      return true;
    };
    if (a == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (a == "-o" && value) {
      output = value, ++i;
    } else if (a == "-d" && value) {
      database = value, ++i;
    } else if (a == "-f") {
      if (!number(rate) || rate < 4000 || rate > 192000) return Fail("-f needs a rate of 4000 to 192000 Hz", 2);
    } else if (a == "--pitch" || a == "--time" || a == "--volume") {
      double& v = a == "--pitch" ? pitch : a == "--time" ? time : volume;
      if (!number(v) || v < 0 || (a != "--volume" && (v < kMinRatio || v > kMaxRatio)))
        return Fail(a + " needs a number (ratios 0.05 to 20)", 2);
    } else if (a == "--no-error") {
      noError = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      return Fail("unknown option " + a + "\n" + kUsage, 2);
    } else if (input.empty()) {
      input = a;
    } else {
      return Fail("only one input file\n" + std::string(kUsage), 2);
    }
  }

  std::string text;
  if (input.empty() || input == "-") {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(input, std::ios::binary);
    if (!in) return Fail("cannot open " + input, 1);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  Engine engine;
  if (engine.Init(database.c_str(), nullptr, nullptr, EngineFolder()) != kEngineOk)
    return Fail(engine.LastErrorText(), 1);
  engine.SetNoError(noError ? 1 : 0);
  if (rate > 0) engine.SetRate(static_cast<int>(rate));
  engine.SetVolume(static_cast<float>(volume));

  std::vector<int16_t> samples;
  std::ostringstream ratios;
  ratios << ";; F = " << pitch << "\n;; T = " << time;
  bool ok = true;
  std::istringstream settings(ratios.str());
  for (std::string line; ok && std::getline(settings, line);) ok = Send(engine, line, samples);
  // As a player does: so the engine numbers the lines of the text from 1 in its messages.
  if (ok) ok = engine.Flush() != 0;
  // Every line is spoken, the last one too even without its line end.
  size_t at = 0;
  while (ok && at < text.size()) {
    const size_t lf = text.find('\n', at);
    const size_t end = lf == std::string::npos ? text.size() : lf;
    ok = Send(engine, text.substr(at, end - at), samples);
    at = end + 1;
  }
  if (ok && engine.Flush() == 0) ok = Drain(engine, samples) && engine.Flush() != 0;
  if (ok) ok = Drain(engine, samples);
  if (!ok) return Fail(engine.LastErrorText(), 1);
  if (!WriteWav(output, samples, static_cast<uint32_t>(engine.Rate())))
    return Fail("cannot write " + output, 1);
  return 0;
}

}  // namespace
}  // namespace mowik

int main(int argc, char** argv) { return mowik::Main(argc, argv); }
