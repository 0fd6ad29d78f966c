#include "tools/say_arguments.h"

#include <cstdlib>

namespace mowik {
namespace {

// Options without a value, and the field each one sets.
struct Switch {
  const char* name;
  void (*apply)(SayArguments&);
};

constexpr Switch kSwitches[] = {
    {"--phonemes", [](SayArguments& a) { a.mode = SayMode::Phonemes; }},
    {"--normalise", [](SayArguments& a) { a.mode = SayMode::Normalise; }},
    {"--pieces", [](SayArguments& a) { a.mode = SayMode::Pieces; }},
    {"--no-normalise", [](SayArguments& a) { a.normalise = false; }},
    {"--no-spell", [](SayArguments& a) { a.spell = false; }},
    {"--natural", [](SayArguments& a) { a.natural = true; }},
};

bool IsOption(const std::string& arg) {
  // "-" alone is text, as "--" ends the options; "-o" and "-h" are the short ones.
  return arg.rfind("--", 0) == 0 || arg == "-h" || arg == "-o";
}

}  // namespace

std::string ParseSayArguments(const std::vector<std::string>& args, SayArguments& out) {
  bool options_end = false;
  std::vector<std::string> words;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_end || !IsOption(arg)) {
      words.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      out.action = SayAction::Help;
      return {};
    }
    if (arg == "--version") {
      out.action = SayAction::Version;
      return {};
    }
    bool taken = false;
    for (const Switch& option : kSwitches) {
      if (arg != option.name) continue;
      option.apply(out);
      taken = true;
    }
    if (taken) continue;
    if (arg == "--random" || arg == "--dict") {
      if (i + 1 >= args.size()) return arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--dict") {
        if (value.empty()) return "--dict needs a file name";
        out.dict_path = value;
        continue;
      }
      char* end = nullptr;
      const double r = std::strtod(value.c_str(), &end);
      // The negated test also refuses NaN.
      if (value.empty() || *end != '\0' || !(r >= 0.0 && r < 1.0))
        return "--random needs a number from 0 up to (not including) 1, not '" + value + "'";
      out.random_draw = r;
      continue;
    }
    std::string error;
    if (!TakeSpeechOption(args, i, out.speech, error)) return "unknown option " + arg;
    if (!error.empty()) return error;
  }
  if (!words.empty()) {
    out.read_stdin = false;
    out.text.clear();
    for (size_t i = 0; i < words.size(); ++i) out.text += (i ? " " : "") + words[i];
  }
  return {};
}

}  // namespace mowik
