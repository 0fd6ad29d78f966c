#include "sapi/sentence_voice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mowik {
namespace {

std::string RatioLine(const char* prefix, double value) {
  char line[64];
  std::snprintf(line, sizeof line, "%s %.3f\n", prefix, std::clamp(value, 0.05, 20.0));
  return line;
}

}  // namespace

bool SentenceVoice::Open(const std::string& database, const std::string& folder, std::string& error) {
  open_ = engine_.Init(database.c_str(), nullptr, nullptr, folder) == kEngineOk;
  if (!open_) {
    error = "cannot load the voice " + database + " from " + (folder.empty() ? "." : folder) + ": " +
            engine_.LastErrorText();
    return false;
  }
  engine_.SetRate(kVoiceSampleRate);
  return true;
}

bool SentenceVoice::Drain(std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error) {
  int16_t block[kBlockSamples];
  for (;;) {
    if (keepGoing && !keepGoing()) return false;
    const int count = engine_.Read(block, kBlockSamples);
    if (count < 0) {
      error = "the engine failed: " + engine_.LastErrorText();
      return false;
    }
    if (count == 0) return true;
    samples.insert(samples.end(), block, block + count);
  }
}

bool SentenceVoice::WriteLine(const std::string& line, std::vector<int16_t>& samples,
                              const std::function<bool()>& keepGoing, std::string& error) {
  if (engine_.Write(line.c_str()) != 0) return true;
  if (!Drain(samples, keepGoing, error)) return false;
  if (engine_.Write(line.c_str()) != 0) return true;
  error = "the engine takes no more input";
  return false;
}

bool SentenceVoice::Flush(std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error) {
  if (engine_.Flush() == 0) {
    if (!Drain(samples, keepGoing, error)) return false;
    if (engine_.Flush() == 0) {
      error = "the engine takes no more input";
      return false;
    }
  }
  return Drain(samples, keepGoing, error);
}

bool SentenceVoice::Render(const std::string& phonemes, double pitchRatio, double durationRatio,
                           std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error) {
  error.clear();
  if (!open_) {
    error = "no voice is loaded";
    return false;
  }
  engine_.Reset();
  bool ok = WriteLine(RatioLine(";; F = ", pitchRatio), samples, keepGoing, error) &&
            Flush(samples, keepGoing, error) &&
            WriteLine(RatioLine(";; T = ", durationRatio), samples, keepGoing, error) &&
            Flush(samples, keepGoing, error);
  const std::string text = phonemes + "\r\n";
  for (size_t start = 0; ok && start < text.size();) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) break;
    const std::string line = text.substr(start, end + 1 - start);
    start = end + 1;
    if (line.size() > 1) ok = WriteLine(line, samples, keepGoing, error);
  }
  ok = ok && Flush(samples, keepGoing, error);
  if (!ok) engine_.Reset();
  return ok;
}

void ScaleSamples(int16_t* samples, size_t count, double ratio) {
  if (ratio >= 1.0) return;
  ratio = std::max(ratio, 0.0);
  for (size_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(std::lround(samples[i] * ratio));
}

}  // namespace mowik
