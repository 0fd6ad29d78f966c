#include "speechd/voice_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mowik::speechd {
namespace {

bool ReadNumber(std::string_view value, int& out) {
  if (!value.empty() && value[0] == '+') value.remove_prefix(1);
  long number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error == std::errc::result_out_of_range && end == value.data() + value.size()) {
    out = value[0] == '-' ? -100 : 100;
    return true;
  }
  if (error != std::errc() || end != value.data() + value.size()) return false;
  out = static_cast<int>(std::clamp(number, -100L, 100L));
  return true;
}

template <typename Mode>
struct ModeName {
  std::string_view name;
  Mode mode;
};
constexpr ModeName<Punctuation> kPunctuation[] = {
    {"none", Punctuation::kNone}, {"some", Punctuation::kSome}, {"most", Punctuation::kMost}, {"all", Punctuation::kAll}};
constexpr ModeName<CapitalRecognition> kCapitals[] = {
    {"none", CapitalRecognition::kNone}, {"spell", CapitalRecognition::kSpell}, {"icon", CapitalRecognition::kIcon}};

// Sets out to the mode named by value (the default for NULL); false for a name not in table.
template <typename Mode, size_t N>
bool ReadMode(const ModeName<Mode> (&table)[N], std::string_view value, Mode fallback, Mode& out) {
  if (value == "NULL") {
    out = fallback;
    return true;
  }
  for (const ModeName<Mode>& entry : table)
    if (value == entry.name) {
      out = entry.mode;
      return true;
    }
  return false;
}

}  // namespace

bool ApplySetting(VoiceSettings& settings, std::string_view name, std::string_view value) {
  const VoiceSettings defaults;
  const bool null = value == "NULL";
  int* number = name == "rate" ? &settings.rate : name == "pitch" ? &settings.pitch : name == "volume" ? &settings.volume : nullptr;
  if (number) {
    if (null) {
      *number = name == "volume" ? defaults.volume : 0;
      return true;
    }
    return ReadNumber(value, *number);
  }
  if (name == "punctuation_mode") return ReadMode(kPunctuation, value, defaults.punctuation, settings.punctuation);
  if (name == "cap_let_recogn") return ReadMode(kCapitals, value, defaults.capitals, settings.capitals);
  if (name == "spelling_mode") {
    if (null || value == "off") settings.spelling = false;
    else if (value == "on") settings.spelling = true;
    else return false;
    return true;
  }
  std::string* text = name == "language" ? &settings.language
                      : name == "voice" ? &settings.voice
                      : name == "synthesis_voice" ? &settings.synthesisVoice : nullptr;
  if (text) *text = null ? (name == "language" ? defaults.language : std::string()) : std::string(value);
  return true;
}

double DurationRatioOfRate(int rate) { return std::pow(3.0, -std::clamp(rate, -100, 100) / 100.0); }

double PitchRatioOfPitch(int pitch) { return std::pow(2.0, std::clamp(pitch, -100, 100) / 100.0); }

}  // namespace mowik::speechd
