#include "vrlplay/command_stream.h"

#include <array>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

#include "vrlplay/stack_error.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

// Skips white space and an optional sign; returns true for a minus.
bool SkipSpaceAndSign(std::string_view text, size_t& i) {
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  return negative;
}

struct CommandWord {
  std::string_view word;
  CommandKind kind;
};
// Order matters only for reading; no word is a prefix of another.
constexpr std::array<CommandWord, 7> kCommandWords{{
    {"dir=", CommandKind::kDirectory},
    {"vol=", CommandKind::kVolume},
    {"time=", CommandKind::kTime},
    {"pitch=", CommandKind::kPitch},
    {"voice=", CommandKind::kVoice},
    {"noerror=", CommandKind::kNoError},
    {"database=", CommandKind::kDatabase},
}};

}  // namespace

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& piece) {
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    piece(text.substr(start, end - start + 1));
    start = end + 1;
  }
}

double ParseDecimal(std::string_view text) {
  size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  const size_t begin = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only with at least one digit after its letter and sign.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(text.data() + begin, text.data() + i, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large saturates; too small is zero. Tell them apart by the exponent's sign.
    const std::string_view number = text.substr(begin, i - begin);
    const size_t e = number.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    value = tiny ? 0.0 : HUGE_VAL;
  }
  return negative ? -value : value;
}

float ParseFloat(std::string_view text) {
  const double value = ParseDecimal(text);
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

int ParseInteger(std::string_view text) {
  size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

CommandLine ParseCommandLine(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  line.remove_prefix(i);
  if (line.empty()) return {CommandKind::kEmpty, {}};
  if (line[0] == ';') return {CommandKind::kComment, std::string(line)};
  for (const CommandWord& command : kCommandWords) {
    if (StartsWithIgnoringCase(line, command.word)) {
      return {command.kind, std::string(line.substr(command.word.size()))};
    }
  }
  const size_t dot = line.rfind('.');
  const bool commandFile = dot != std::string_view::npos && EqualsIgnoringCase(line.substr(dot), ".phs");
  return {commandFile ? CommandKind::kCommandFile : CommandKind::kPhonemeFile, std::string(line)};
}

int NoErrorFlag(std::string_view value) {
  return (EqualsIgnoringCase(value, "yes") || EqualsIgnoringCase(value, "on")) ? 1 : 0;
}

bool UsableRatio(float value) { return std::isfinite(value) && value >= kMinRatio && value <= kMaxRatio; }

bool UsableVolume(float value) { return std::isfinite(value) && value >= 0.0f && value <= kMaxRatio; }

CStackError RatioRefused(std::string_view what, float value) {
  char text[200];
  std::snprintf(text, sizeof text, "%.*s %g is not a ratio the engine can use", static_cast<int>(what.size()),
                what.data(), static_cast<double>(value));
  return CStackError(VRL_ERR_BAD_COMMAND, {text});
}

std::string RatioLine(RatioKind kind, float value) {
  const char* prefix = kind == RatioKind::kPitch ? ";; F = " : ";; T = ";
  char line[400];
  std::snprintf(line, sizeof line, "%s %.3f\n", prefix, static_cast<double>(value));
  return line;
}

namespace {

struct StreamRun {
  CommandHost& host;
  int filesLeft = kMaxStreamFiles;

  std::string Read(const std::string& name) {
    if (filesLeft-- <= 0) throw CStackError::Of(VRL_ERR_OPEN_FILE, name);
    return host.ReadFile(name);
  }
  void Run(std::string_view text, int depth);
};

void StreamRun::Run(std::string_view text, int depth) {
  ForEachLine(text, [&](std::string_view piece) {
    host.CheckCancelled();
    const CommandLine line = ParseCommandLine(piece.substr(0, piece.size() - 1));
    switch (line.kind) {
      case CommandKind::kEmpty:
      case CommandKind::kComment:
        break;
      case CommandKind::kDirectory:
        host.ChangeDirectory(line.value);
        break;
      case CommandKind::kVolume: {
        const float value = ParseFloat(line.value);
        if (!UsableVolume(value)) throw RatioRefused("vol=", value);
        host.SetVolume(value);
        break;
      }
      case CommandKind::kTime:
      case CommandKind::kPitch: {
        // 0 is no ratio anyone means; the line is ignored rather than silencing the voice.
        const float value = ParseFloat(line.value);
        if (value != 0.0f) {
          if (!UsableRatio(value)) throw RatioRefused(line.kind == CommandKind::kPitch ? "pitch=" : "time=", value);
          host.ApplyRatio(line.kind == CommandKind::kPitch ? RatioKind::kPitch : RatioKind::kDuration,
                          value);
        }
        break;
      }
      case CommandKind::kVoice:
        host.SetVoiceFreq(ParseInteger(line.value));
        break;
      case CommandKind::kNoError:
        host.SetNoError(NoErrorFlag(line.value));
        break;
      case CommandKind::kDatabase:
        host.SelectDatabase(line.value);
        break;
      case CommandKind::kPhonemeFile:
        host.PlayPhonemes(Read(line.value), false);
        break;
      case CommandKind::kCommandFile:
        if (depth + 1 > kMaxCommandFileDepth) throw CStackError::Of(VRL_ERR_OPEN_FILE, line.value);
        Run(Read(line.value), depth + 1);
        break;
    }
    host.DispatchMessages();
  });
}

}  // namespace

void RunCommandStream(std::string_view text, bool closeAtEnd, CommandHost& host) {
  StreamRun{host}.Run(text, 0);
  if (closeAtEnd) host.PlayPhonemes(std::string(), true);
}

}  // namespace mowik
