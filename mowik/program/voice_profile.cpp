#include "mowik/program/voice_profile.h"

#include <algorithm>

#include "mowik/program/leading_number.h"
#include "mowik/program/main_module.h"

namespace mowik {
namespace {

// A hand-edited file may hold anything: a ratio the player would refuse (it would report an
// error at every utterance and speak on with the last ratio it took) counts as normal.
double RatioOfCell(std::wstring_view cell, int32_t normal) {
  const double ratio = LeadingNumber(cell) / normal;
  return ratio >= kLowestRatio && ratio <= kHighestRatio ? ratio : 1.0;
}

}  // namespace

VoiceRatios RatiosOf(const VoiceProfile& profile) {
  return {profile.pitch / static_cast<double>(kPitchLimits.normal),
          profile.duration / static_cast<double>(kDurationLimits.normal), profile.frequency};
}

VoiceRatios RatiosOfCells(const ProfileCells& cells) {
  return {RatioOfCell(cells.pitch, kPitchLimits.normal), RatioOfCell(cells.duration, kDurationLimits.normal),
          LeadingWholeNumber(cells.frequency)};
}

VoiceProfile SliderValuesOfCells(const ProfileCells& cells) {
  auto held = [](std::wstring_view cell, const ProfileLimits& limits) {
    return std::clamp(LeadingWholeNumber(cell), limits.lowest, limits.highest);
  };
  return {held(cells.pitch, kPitchLimits), held(cells.duration, kDurationLimits),
          held(cells.frequency, kFrequencyLimits)};
}

void ApplyVoiceRatios(const VoiceRatios& ratios) {
  PitchRatio = static_cast<float>(ratios.pitch);
  DurationRatio = static_cast<float>(ratios.duration);
  VoiceFreq = ratios.frequency;
}

}  // namespace mowik
