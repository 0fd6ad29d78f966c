#pragma once
// The engine core in-process: phoneme text of one sentence in, 16 kHz samples out, fed as the
// player feeds varelo.dll (the ratio lines first, every line-ended line, then a flush).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "varelo/engine.h"

namespace mowik {

// SAPI gets the voice at this rate, 16-bit mono.
inline constexpr int kVoiceSampleRate = 16000;

class SentenceVoice {
 public:
  // Loads the voice database (by name, "pl1") from folder, where it lies beside the module.
  // False with error set when it cannot be loaded.
  bool Open(const std::string& database, const std::string& folder, std::string& error);
  bool IsOpen() const { return open_; }

  // Synthesises phonemes at the pitch and duration ratios (clamped to the engine's 0.05..20)
  // and appends the samples. keepGoing is asked between engine blocks; when it says no the
  // sentence is dropped and Render returns false with error empty. An engine failure returns
  // false with error set. Phoneme text is played as the speaking tool plays it: the text with
  // a final line end, so that its last line (the closing pause) is heard as well.
  bool Render(const std::string& phonemes, double pitchRatio, double durationRatio,
              std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error);

 private:
  bool WriteLine(const std::string& line, std::vector<int16_t>& samples, const std::function<bool()>& keepGoing,
                 std::string& error);
  bool Flush(std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error);
  bool Drain(std::vector<int16_t>& samples, const std::function<bool()>& keepGoing, std::string& error);

  Engine engine_;
  bool open_ = false;
};

// Scales samples by ratio (0..1) with rounding; 1 leaves them as they are.
void ScaleSamples(int16_t* samples, size_t count, double ratio);

}  // namespace mowik
