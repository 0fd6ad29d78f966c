#include "speechd/module_config.h"

namespace mowik::speechd {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] + 32) : a[i];
    const char y = (b[i] >= 'A' && b[i] <= 'Z') ? static_cast<char>(b[i] + 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

struct TextSetting {
  std::string_view name;
  std::string ModuleConfig::*field;
};
constexpr TextSetting kTexts[] = {
    {"MowikVoice", &ModuleConfig::voice},
    {"MowikVoiceFolder", &ModuleConfig::voiceFolder},
    {"MowikLogFile", &ModuleConfig::logFile},
};

struct SwitchSetting {
  std::string_view name;
  bool ModuleConfig::*field;
};
constexpr SwitchSetting kSwitches[] = {
    {"MowikUserSettings", &ModuleConfig::userSettings},
    {"MowikNaturalReading", &ModuleConfig::naturalReading},
};

}  // namespace

ModuleConfig ParseModuleConfig(std::string_view text, std::vector<std::string>& warnings) {
  ModuleConfig config;
  size_t number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    size_t split = 0;
    while (split < line.size() && !IsBlank(line[split])) ++split;
    const std::string_view name = line.substr(0, split);
    std::string_view value = Trim(line.substr(split));
    if (value.size() >= 2 && value.front() == '"') {
      const size_t close = value.find('"', 1);
      value = close == std::string_view::npos ? value.substr(1) : value.substr(1, close - 1);
    } else {
      const size_t comment = value.find('#');
      if (comment != std::string_view::npos) value = Trim(value.substr(0, comment));
    }
    const std::string where = "mowik.conf line " + std::to_string(number) + ": ";
    for (const TextSetting& setting : kTexts) {
      if (!SameName(name, setting.name)) continue;
      if (value.empty()) warnings.push_back(where + std::string(name) + " needs a value");
      else config.*setting.field = std::string(value);
    }
    for (const SwitchSetting& setting : kSwitches) {
      if (!SameName(name, setting.name)) continue;
      if (value == "0" || value == "1") config.*setting.field = value == "1";
      else warnings.push_back(where + std::string(name) + " takes 0 or 1, not '" + std::string(value) + "'");
    }
  }
  return config;
}

}  // namespace mowik::speechd
