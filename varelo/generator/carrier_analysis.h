#pragma once
// Measurements on the speaker's recordings: where voicing is, where its pitch pulses are,
// where a stop's closure begins, and the conversion to the voice's sample rate.

#include <cstdint>
#include <utility>
#include <vector>

namespace mowik {

struct PitchMark {
  double position;  // in samples of the recording
  bool voiced;
};

using Stretch = std::pair<int64_t, int64_t>;  // [first, end) in samples

// Stretches whose sound repeats with the given period (in samples): periodic and not quiet.
std::vector<Stretch> VoicedStretches(const std::vector<int16_t>& x, double period);

// The frequency in [low, high] Hz whose fundamental carries the most energy over the stretches;
// for a flat-pitched speaker that is its pitch, to a hundredth of a hertz.
double MeasurePitch(const std::vector<int16_t>& x, const std::vector<Stretch>& stretches,
                    double rate, double low, double high);

// Marks one period apart over the whole recording. Inside a voiced stretch they form a strict
// grid at the phase of the fundamental measured over the stretch, one on each downward zero
// crossing, which is where the speaker centres its pulses; between stretches unvoiced filler
// marks continue at about the same spacing.
std::vector<PitchMark> PitchMarks(const std::vector<int16_t>& x,
                                  const std::vector<Stretch>& voiced, double period);

// Where the silence (or voice bar) before a burst at sample burst begins: the start of the
// quiet run that ends at the burst, looked for after from, at most maxLength samples long.
int64_t ClosureStart(const std::vector<int16_t>& x, int64_t from, int64_t burst,
                     int64_t maxLength, double rate);

// Samples [first, first + count) at toRate of the recording x made at fromRate (band-limited
// interpolation; outside the recording counts as silence).
std::vector<int16_t> Resample(const std::vector<int16_t>& x, double fromRate, double toRate,
                              int64_t first, int64_t count);

}  // namespace mowik
