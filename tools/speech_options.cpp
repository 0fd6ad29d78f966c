#include "tools/speech_options.h"

#include <algorithm>
#include <cstdlib>

#include "tools/utf8_text.h"

namespace mowik {
namespace {

struct RangedOption {
  const char* name;
  int32_t lowest;
  int32_t highest;
  int32_t VoiceProfile::*field;
};

constexpr RangedOption kRanged[] = {
    {"--pitch", 15, 400, &VoiceProfile::pitch},
    {"--duration", 3, 18, &VoiceProfile::duration},
    {"--freq", 10000, 30000, &VoiceProfile::frequency},
};

bool ParseWhole(const std::string& text, int32_t& value) {
  if (text.empty() || text.size() > 9) return false;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0') return false;
  value = static_cast<int32_t>(parsed);
  return true;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool TakeSpeechOption(const std::vector<std::string>& args, size_t& i, SpeechOptions& options,
                      std::string& error) {
  const std::string& arg = args[i];
  auto value = [&](std::string& out) {
    if (i + 1 >= args.size()) {
      error = arg + " needs a value";
      return false;
    }
    out = args[++i];
    return true;
  };
  std::string text;
  for (const RangedOption& ranged : kRanged) {
    if (arg != ranged.name) continue;
    if (!value(text)) return true;
    int32_t number = 0;
    if (!ParseWhole(text, number) || number < ranged.lowest || number > ranged.highest)
      error = arg + " takes a whole number from " + std::to_string(ranged.lowest) + " to " +
              std::to_string(ranged.highest) + ", not '" + text + "'";
    else
      options.profile.*ranged.field = number;
    return true;
  }
  if (arg == "--db") {
    if (!value(text)) return true;
    const std::optional<std::wstring> id = DecodeUtf8(text);
    if (!id || id->empty()) error = "--db needs a database id";
    else options.database = *id;
    return true;
  }
  if (arg == "-o") {
    if (value(text) && text.empty()) error = "-o needs a file name";
    options.out_file = text;
    return true;
  }
  if (arg == "--alaw") return options.alaw = true;
  if (arg == "--mulaw") return options.mulaw = true;
  return false;
}

int32_t FileOutputFlags(const SpeechOptions& options, std::string& error) {
  if (options.alaw && options.mulaw) {
    error = "--alaw and --mulaw exclude each other";
    return 0;
  }
  if (options.out_file.empty()) {
    if (options.alaw || options.mulaw) error = "--alaw and --mulaw need -o FILE.wav";
    return 0;
  }
  const std::string name = LowerAscii(options.out_file);
  int32_t flags = 0;
  if (EndsWith(name, ".wav")) flags = kOutFileType0;
  else if (EndsWith(name, ".au")) flags = kOutFileType1;
  else if (EndsWith(name, ".raw")) flags = kOutFileType2;
  else {
    error = "-o needs a file ending in .wav, .au or .raw, not '" + options.out_file + "'";
    return 0;
  }
  if ((options.alaw || options.mulaw) && flags != kOutFileType0) {
    error = "--alaw and --mulaw write WAV files only";
    return 0;
  }
  if (options.alaw) flags |= kOutAlaw;
  if (options.mulaw) flags |= kOutMulaw;
  return flags;
}

}  // namespace mowik
