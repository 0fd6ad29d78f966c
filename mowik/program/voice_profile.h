#pragma once
#include <cstdint>

namespace mowik {

// A voice profile's values as the user gives them: Pitch in percent (100 normal), Duration in
// tenths (10 normal), Frequency in hertz (16000 by default).
struct VoiceProfile {
  int32_t pitch = 100;
  int32_t duration = 10;
  int32_t frequency = 16000;
};

// Makes profile the voice of the next utterances: PitchRatio = pitch / 100, DurationRatio =
// duration / 10, VoiceFreq = frequency.
void ApplyVoiceProfile(const VoiceProfile& profile);

}  // namespace mowik
