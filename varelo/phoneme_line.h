#pragma once
// One line of the engine's input:
//   SYMBOL DURATION_MS [POSITION_PERCENT PITCH_HZ]...   a phoneme ("_" is silence)
//   ;; F = x   /   ;; T = x                              pitch / duration ratio from here on
//   ; anything                                           a comment
// Fields are separated by blanks or tabs; a CR (and an LF) count as blanks, so a line of blanks
// is nothing at all. Numbers are decimal, with '.' or ',' before the fraction.

#include <string>
#include <string_view>
#include <vector>

namespace mowik {

// What a line may hold. Larger values are errors; in lenient mode they are clamped.
constexpr double kMaxDurationMs = 60000.0;
constexpr double kMinPitchHz = 20.0;
constexpr double kMaxPitchHz = 2000.0;
constexpr double kMinRatio = 0.05;
constexpr double kMaxRatio = 20.0;
constexpr size_t kMaxTargets = 64;
constexpr size_t kMaxLineLength = 4096;

struct PitchTarget {
  double percent = 0;  // position inside the phoneme, 0 to 100
  double hz = 0;
};

struct PhonemeLine {
  enum class Kind { kNothing, kPhoneme, kPitchRatio, kDurationRatio, kError };
  Kind kind = Kind::kNothing;
  std::string symbol;                // kPhoneme
  double durationMs = 0;             // kPhoneme
  std::vector<PitchTarget> targets;  // kPhoneme, in the order written
  double ratio = 1;                  // the ratio kinds
  std::string error;                 // kError: what is wrong, without the line itself
};

// Parses one line. Strict mode turns every malformed field into kError. Lenient mode (the
// engine's no-error setting) clamps values into range, reads a missing or malformed duration as
// 0 and drops malformed or surplus targets; only an empty symbol cannot happen there.
PhonemeLine ParsePhonemeLine(std::string_view line, bool lenient);

// Reads a whole token as a decimal number ("12", "-1.5", "1,500", "2e3"); false for anything
// else, infinities and NaN included.
bool ParseDecimal(std::string_view token, double& value);

}  // namespace mowik
