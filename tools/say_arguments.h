#pragma once
// mowik-say's command line: what it asks for, parsed without side effects, so that the
// program, its tests and the fuzz target read arguments the same way.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/speech_options.h"

namespace mowik {

enum class SayMode { Speak, Phonemes, Pieces, Normalise };
enum class SayAction { Run, Help, Version };

struct SayArguments {
  SayAction action = SayAction::Run;
  SayMode mode = SayMode::Speak;
  SpeechOptions speech;
  bool normalise = true;              // --no-normalise clears it
  bool spell = true;                  // --no-spell clears it
  bool natural = false;               // --natural sets it
  std::optional<double> random_draw;  // --random R, 0 <= R < 1
  bool read_stdin = true;             // no text among the arguments
  std::string text;                   // the text arguments joined by blanks, UTF-8 unchecked
  std::string dict_path;              // --dict, UTF-8
};

// The most bytes mowik-say reads from standard input or a dictionary file: far more than any
// text read aloud, small enough that a runaway pipe ends with a message, not with the memory.
inline constexpr size_t kMaxInputBytes = 16u << 20;

// Parses the arguments (after the program name) into out. Returns the one-line error for a
// usage fault (unknown option, missing or bad value), empty when they are fine. --help and
// --version stop the parse at once and set out.action.
std::string ParseSayArguments(const std::vector<std::string>& args, SayArguments& out);

}  // namespace mowik
