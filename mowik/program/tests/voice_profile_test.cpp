#include "mowik/program/voice_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "mowik/program/leading_number.h"
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

TEST(VoiceProfile, CellsWithinTheRangesGiveTheRatiosOfTheirValues) {
  for (int32_t pitch = kPitchLimits.lowest; pitch <= kPitchLimits.highest; ++pitch) {
    const int32_t duration = kDurationLimits.lowest + pitch % (kDurationLimits.highest - kDurationLimits.lowest + 1);
    const std::wstring p = std::to_wstring(pitch), d = std::to_wstring(duration), f = std::to_wstring(pitch * 75);
    const VoiceRatios cells = RatiosOfCells({p, d, f});
    const VoiceRatios given = RatiosOf({pitch, duration, pitch * 75});
    EXPECT_EQ(cells.pitch, given.pitch) << pitch;
    EXPECT_EQ(cells.duration, given.duration) << duration;
    EXPECT_EQ(cells.frequency, given.frequency);
  }
}

TEST(VoiceProfile, CellsReadAsTheNumberTheyBeginWith) {
  const VoiceRatios fraction = RatiosOfCells({L"150.5", L" 12 tenths", L"22050.5 Hz"});
  EXPECT_DOUBLE_EQ(fraction.pitch, 1.505);
  EXPECT_DOUBLE_EQ(fraction.duration, 1.2);
  EXPECT_EQ(fraction.frequency, 22050);  // a half to the even neighbour
  // Beyond the sliders but within what the player takes: kept, as the reader always read it.
  const VoiceRatios beyond = RatiosOfCells({L"500", L"2", L"44100"});
  EXPECT_DOUBLE_EQ(beyond.pitch, 5.0);
  EXPECT_DOUBLE_EQ(beyond.duration, 0.2);
  EXPECT_EQ(beyond.frequency, 44100);
}

TEST(VoiceProfile, CellsThePlayerWouldRefuseReadAsNormal) {
  for (const wchar_t* bad : {L"", L"abc", L"0", L"-100", L"4.9", L"2001", L"99999999999999"})
    EXPECT_EQ(RatiosOfCells({bad, L"10", L"16000"}).pitch, 1.0) << bad;
  for (const wchar_t* bad : {L"", L"abc", L"0", L"-10", L"0.4", L"201", L"99999999999999"})
    EXPECT_EQ(RatiosOfCells({L"100", bad, L"16000"}).duration, 1.0) << bad;
  // The edges the player still takes.
  EXPECT_DOUBLE_EQ(RatiosOfCells({L"5", L"200", L""}).pitch, 0.05);
  EXPECT_DOUBLE_EQ(RatiosOfCells({L"2000", L"0.5", L""}).duration, 0.05);
  EXPECT_DOUBLE_EQ(RatiosOfCells({L"2000", L"200", L""}).duration, 20.0);
  EXPECT_EQ(RatiosOfCells({L"", L"", L"abc"}).frequency, 0) << "the engine then takes the voice's own rate";
}

TEST(VoiceProfile, SlidersShowCellsAsWholeNumbersWithinTheirRanges) {
  const VoiceProfile shown = SliderValuesOfCells({L"999", L"2.5", L"11025.4 Hz"});
  EXPECT_EQ(shown.pitch, 400);
  EXPECT_EQ(shown.duration, 3);
  EXPECT_EQ(shown.frequency, 11025);
  const VoiceProfile empty = SliderValuesOfCells({L"", L"abc", L"-5"});
  EXPECT_EQ(empty.pitch, kPitchLimits.lowest);
  EXPECT_EQ(empty.duration, kDurationLimits.lowest);
  EXPECT_EQ(empty.frequency, kFrequencyLimits.lowest);
  const VoiceProfile plain = SliderValuesOfCells({L"150", L"12", L"22050"});
  EXPECT_EQ(plain.pitch, 150);
  EXPECT_EQ(plain.duration, 12);
  EXPECT_EQ(plain.frequency, 22050);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartRoundingHalvesToEven) {
  EXPECT_EQ(LeadingWholeNumber(L"16000"), 16000);
  EXPECT_EQ(LeadingWholeNumber(L"  42abc"), 42);
  EXPECT_EQ(LeadingWholeNumber(L"abc"), 0);
  EXPECT_EQ(LeadingWholeNumber(L""), 0);
  EXPECT_EQ(LeadingWholeNumber(L"2.5"), 2);
  EXPECT_EQ(LeadingWholeNumber(L"3.5"), 4);
  EXPECT_EQ(LeadingWholeNumber(L"-7"), -7);
  EXPECT_EQ(LeadingWholeNumber(L"99999999999999"), 2147483647);
  EXPECT_DOUBLE_EQ(LeadingNumber(L"250"), 250.0);
}

}  // namespace
}  // namespace mowik
