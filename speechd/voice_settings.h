#pragma once
// What the server's SET gives the module, and how its -100..100 scales map onto Mowik's voice.

#include <string>
#include <string_view>

namespace mowik::speechd {

enum class CapitalRecognition { kNone, kSpell, kIcon };
enum class Punctuation { kNone, kSome, kMost, kAll };

struct VoiceSettings {
  int rate = 0;      // -100..100
  int pitch = 0;     // -100..100
  int volume = 100;  // -100..100: the server scales the audio it plays by it, the module not
  Punctuation punctuation = Punctuation::kNone;
  bool spelling = false;  // spelling_mode=on: every message is spelled out
  CapitalRecognition capitals = CapitalRecognition::kNone;
  std::string language = "pl";
  std::string voice;            // MALE1.. (the symbolic voice)
  std::string synthesisVoice;   // the module's voice name from LIST VOICES
};

// Takes one SET line. Numbers are clamped to -100..100; "NULL" restores a default. Names the
// module does not use are accepted and ignored (servers add parameters over time); false for a
// value it cannot read (a rate of "fast", a punctuation mode of "loud").
bool ApplySetting(VoiceSettings& settings, std::string_view name, std::string_view value);

// Duration multiplier of a rate: 3^(-rate/100), so +100 speaks three times as fast as 0 and
// -100 three times as slow.
double DurationRatioOfRate(int rate);
// Pitch multiplier: an octave up at +100, down at -100.
double PitchRatioOfPitch(int pitch);

}  // namespace mowik::speechd
