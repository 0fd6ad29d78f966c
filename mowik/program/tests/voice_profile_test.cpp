#include "mowik/program/voice_profile.h"

#include <gtest/gtest.h>

#include "mowik/program/main_module.h"

namespace mowik {
namespace {

TEST(VoiceProfile, RatiosAreTheValuesOverTheirNormalAsSingles) {
  ApplyVoiceProfile(VoiceProfile{});
  EXPECT_EQ(PitchRatio, 1.0f);
  EXPECT_EQ(DurationRatio, 1.0f);
  EXPECT_EQ(VoiceFreq, 16000);
  ApplyVoiceProfile({250, 18, 22050});
  EXPECT_EQ(PitchRatio, 2.5f);
  EXPECT_EQ(DurationRatio, 1.8f);
  EXPECT_EQ(VoiceFreq, 22050);
  // Every slider value gives the single nearest to the exact quotient.
  for (int32_t value = 3; value <= 400; ++value) {
    ApplyVoiceProfile({value, value, 10000 + value});
    EXPECT_EQ(PitchRatio, static_cast<float>(value / 100.0)) << value;
    EXPECT_EQ(DurationRatio, static_cast<float>(value / 10.0)) << value;
  }
  PitchRatio = DurationRatio = 0.0f;  // as the program starts
  VoiceFreq = 0;
}

}  // namespace
}  // namespace mowik
