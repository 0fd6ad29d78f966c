#include "mowik/program/voice_profile.h"

#include "mowik/program/main_module.h"

namespace mowik {

void ApplyVoiceProfile(const VoiceProfile& profile) {
  PitchRatio = static_cast<float>(profile.pitch) / 100.0f;
  DurationRatio = static_cast<float>(profile.duration) / 10.0f;
  VoiceFreq = profile.frequency;
}

}  // namespace mowik
