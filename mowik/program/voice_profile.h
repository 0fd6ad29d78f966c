#pragma once
// The voice profile, the one statement of it for the reader, mowik-say and the SAPI voice: its
// three values, the range each may be given in, how a stored cell of the voice table reads, and
// the ratios a profile gives the player.

#include <cstdint>
#include <string_view>

namespace mowik {

// A voice profile's values as the user gives them: Pitch in percent (100 normal), Duration in
// tenths (10 normal), Frequency in hertz (16000 by default).
struct VoiceProfile {
  int32_t pitch = 100;
  int32_t duration = 10;
  int32_t frequency = 16000;
};

// The range a value is given in (the reader's sliders, mowik-say's options) and its normal.
struct ProfileLimits {
  int32_t lowest, highest, normal;
};
inline constexpr ProfileLimits kPitchLimits{15, 400, 100};
inline constexpr ProfileLimits kDurationLimits{3, 18, 10};
inline constexpr ProfileLimits kFrequencyLimits{10000, 30000, 16000};
// In the order of the voice table's columns 2 to 4 and of the sliders.
inline constexpr ProfileLimits kProfileLimits[3] = {kPitchLimits, kDurationLimits, kFrequencyLimits};

// What a profile gives the player: the pitch and duration ratios (the values over their
// normal) and the output frequency.
struct VoiceRatios {
  double pitch = 1.0;
  double duration = 1.0;
  int32_t frequency = 16000;
};

// The ratios the player accepts; a stored cell whose ratio falls outside them reads as normal.
inline constexpr double kLowestRatio = 0.05;
inline constexpr double kHighestRatio = 20.0;

// The stored text of a profile: the voice table's columns 2 to 4 (VoicePitch<n>,
// VoiceDuration<n>, VoiceFrequency<n> in the settings file).
struct ProfileCells {
  std::wstring_view pitch, duration, frequency;
};

VoiceRatios RatiosOf(const VoiceProfile& profile);

// A cell reads as the decimal number it begins with (LeadingNumber), so "150", "150.5" and
// "150 %" all hold; a pitch or duration outside the given range but within what the player
// takes is kept as it is, one the player refuses (or no number at all) reads as the normal
// value. The frequency is the whole number nearest to the cell's; the engine holds it within
// what it can play, 0 or less meaning the voice's own.
VoiceRatios RatiosOfCells(const ProfileCells& cells);

// The values the sliders show for stored cells: each cell's nearest whole number, held within
// its range.
VoiceProfile SliderValuesOfCells(const ProfileCells& cells);

// Makes ratios the voice of the next utterances: PitchRatio and DurationRatio as the nearest
// singles, VoiceFreq the frequency.
void ApplyVoiceRatios(const VoiceRatios& ratios);
inline void ApplyVoiceProfile(const VoiceProfile& profile) { ApplyVoiceRatios(RatiosOf(profile)); }

}  // namespace mowik
