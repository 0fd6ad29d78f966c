#pragma once
// The arithmetic of SAPI's voice controls, in Mowik's terms: rate to a duration ratio,
// volume to an amplitude ratio, the pitch tag to a pitch ratio, and where a skip lands.

#include <cstddef>

namespace mowik {

// SAPI rates run from -10 to 10; 10 speaks three times as fast as 0, -10 three times as slow.
inline constexpr long kMinRate = -10;
inline constexpr long kMaxRate = 10;

// The rate in force: the caller's base rate plus a <rate> tag's adjustment, within -10..10.
long CombinedRate(long baseRate, long tagAdjustment);

// The factor by which durations are multiplied at a rate: 3^(-rate/10).
double DurationFactor(long rate);

// The amplitude ratio of the caller's volume (0..100) and a <volume> tag's (0..100, 100 when
// no tag): their product over 100 * 100, values above 100 counting as 100.
double VolumeRatio(unsigned baseVolume, unsigned tagVolume);

// The pitch ratio of a <pitch middle="m"> tag: a semitone per step, m within -10..10.
double PitchFactor(long middle);

// Where a skip of `requested` sentences from sentence `current` (of `count`) lands: 0 starts
// the current sentence again, a positive number moves forward, a negative one back. The
// target is clamped to 0..count (count: past the last one); skipped is how far it moved,
// which SAPI is told.
struct SkipResult {
  size_t target = 0;
  long skipped = 0;
};
SkipResult SkipTarget(size_t current, size_t count, long requested);

}  // namespace mowik
