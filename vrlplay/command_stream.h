#pragma once
// Command streams and phoneme text as the play thread reads them: LF-ended lines, the command
// words, the numbers in them, and the ratio lines the player writes into the phoneme stream.
// Portable; the play thread supplies what the commands act on through CommandHost.

#include <functional>
#include <string>
#include <string_view>

#include "vrlplay/stack_error.h"

namespace mowik {

// Calls piece(line) for each LF-ended piece of text in order, the LF included (an empty line is
// just "\n"). A final piece without LF is dropped.
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& piece);

// A decimal number as the command values hold it: leading white space, an optional sign,
// digits with an optional fraction and exponent, up to the first character that does not fit.
// No digits give 0. Values beyond the double range saturate.
double ParseDecimal(std::string_view text);
// The same as a float, saturating at the float range.
float ParseFloat(std::string_view text);
// A whole number the same way (sign and digits only), saturating at the int range.
int ParseInteger(std::string_view text);

enum class CommandKind {
  kEmpty,         // nothing but blanks and tabs
  kComment,       // first character ';'
  kDirectory,     // "dir="
  kVolume,        // "vol="
  kTime,          // "time="
  kPitch,         // "pitch="
  kVoice,         // "voice="
  kNoError,       // "noerror="
  kDatabase,      // "database="
  kCommandFile,   // a file name ending in ".phs" (any case)
  kPhonemeFile,   // any other file name
};

struct CommandLine {
  CommandKind kind = CommandKind::kEmpty;
  std::string value;  // the rest of the line after the command word, or the file name
};

// One command line without its LF. Leading blanks and tabs are skipped; command words are
// matched without regard to case in the order of CommandKind; the value keeps everything up to
// the end of the line (a trailing CR or blank included).
CommandLine ParseCommandLine(std::string_view line);

// "noerror=" values: 1 for "yes" or "on" in any case, else 0.
int NoErrorFlag(std::string_view value);

enum class RatioKind { kPitch, kDuration };

// Ratios the engine can use: pitch and duration from kMinRatio to kMaxRatio, a volume from 0
// (silence) to kMaxRatio; never NaN or an infinity. Anything else is refused where it is given.
inline constexpr float kMinRatio = 0.05f;
inline constexpr float kMaxRatio = 20.0f;
bool UsableRatio(float value);
bool UsableVolume(float value);
// The refusal of such a value: VRL_ERR_BAD_COMMAND with a message naming what and the value.
CStackError RatioRefused(std::string_view what, float value);
// The line the player writes for a ratio: ";; F = " or ";; T = ", a blank, three decimals, LF.
std::string RatioLine(RatioKind kind, float value);

// Command files may include each other; deeper nesting than this is refused like a file that
// cannot be opened, so a file naming itself cannot exhaust the stack.
inline constexpr int kMaxCommandFileDepth = 16;
// Files a single stream may read in all, so that files naming each other several times cannot
// multiply into endless work; the file past the limit is refused the same way.
inline constexpr int kMaxStreamFiles = 1024;

// What a command stream acts on. Every operation may throw CStackError.
class CommandHost {
 public:
  virtual ~CommandHost() = default;
  virtual void CheckCancelled() = 0;  // throws -1 when the stream must end
  virtual void ChangeDirectory(const std::string& path) = 0;
  virtual void SetVolume(float ratio) = 0;
  virtual void ApplyRatio(RatioKind kind, float value) = 0;
  virtual void SetVoiceFreq(int frequency) = 0;
  virtual void SetNoError(int flag) = 0;
  virtual void SelectDatabase(const std::string& id) = 0;
  virtual std::string ReadFile(const std::string& name) = 0;  // every line LF-ended
  virtual void PlayPhonemes(const std::string& text, bool closeAtEnd) = 0;
  virtual void DispatchMessages() = 0;
};

// Runs a command stream line by line: a cancellation check before each line, messages
// dispatched after each. Command files run nested, within kMaxCommandFileDepth and
// kMaxStreamFiles; "pitch=" and "time=" that read as 0 change nothing; any other value they or
// "vol=" give that the engine cannot use ends the stream with RatioRefused (the old value stays).
// With closeAtEnd, ends by playing the empty phoneme text with close at end.
void RunCommandStream(std::string_view text, bool closeAtEnd, CommandHost& host);

}  // namespace mowik
