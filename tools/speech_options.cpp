#include "tools/speech_options.h"

#include <algorithm>
#include <cstdlib>

#include "tools/utf8_text.h"

namespace mowik {
namespace {

struct RangedOption {
  const char* name;
  ProfileLimits limits;
  int32_t VoiceProfile::*field;
};

constexpr RangedOption kRanged[] = {
    {"--pitch", kPitchLimits, &VoiceProfile::pitch},
    {"--duration", kDurationLimits, &VoiceProfile::duration},
    {"--freq", kFrequencyLimits, &VoiceProfile::frequency},
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

struct FileType {
  const char* name;  // for --type, and the extension with a dot before it
  int32_t flag;
};

constexpr FileType kFileTypes[] = {{"wav", VRL_OUT_FILE_TYPE0}, {"au", VRL_OUT_FILE_TYPE1}, {"raw", VRL_OUT_FILE_TYPE2}};

// The flag of a file type name, 0 for none.
int32_t TypeFlag(const std::string& name) {
  for (const FileType& type : kFileTypes)
    if (name == type.name) return type.flag;
  return 0;
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
    if (!ParseWhole(text, number) || number < ranged.limits.lowest || number > ranged.limits.highest)
      error = arg + " takes a whole number from " + std::to_string(ranged.limits.lowest) + " to " +
              std::to_string(ranged.limits.highest) + ", not '" + text + "'";
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
  if (arg == "--type") {
    if (!value(text)) return true;
    if (TypeFlag(LowerAscii(text)) == 0) error = "--type takes wav, au or raw, not '" + text + "'";
    else options.type = LowerAscii(text);
    return true;
  }
  if (arg == "--device") {
    if (value(text) && text.empty()) error = "--device needs a device name";
    options.device = text;
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
  if (!options.device.empty() && !options.out_file.empty()) {
    error = "--device plays aloud, -o writes a file: give one of them";
    return 0;
  }
  if (options.out_file.empty()) {
    if (options.alaw || options.mulaw) error = "--alaw and --mulaw need -o FILE.wav";
    if (!options.type.empty()) error = "--type needs -o FILE";
    return 0;
  }
  const std::string name = LowerAscii(options.out_file);
  int32_t flags = 0;
  if (name != kStandardOutput)
    for (const FileType& type : kFileTypes)
      if (EndsWith(name, std::string(".") + type.name)) flags = type.flag;
  const int32_t asked = TypeFlag(options.type);
  if (flags != 0 && asked != 0 && flags != asked) {
    error = "--type " + options.type + " does not match the name '" + options.out_file + "'";
    return 0;
  }
  if (flags == 0) flags = asked;
  if (flags == 0 && name == kStandardOutput) flags = VRL_OUT_FILE_TYPE0;
  if (flags == 0) {
    error = "-o needs a file ending in .wav, .au or .raw (or --type), not '" + options.out_file + "'";
    return 0;
  }
  if ((options.alaw || options.mulaw) && flags != VRL_OUT_FILE_TYPE0) {
    error = "--alaw and --mulaw write WAV files only";
    return 0;
  }
  if (options.alaw) flags |= VRL_ALAW;
  if (options.mulaw) flags |= VRL_MULAW;
  return flags;
}

}  // namespace mowik
