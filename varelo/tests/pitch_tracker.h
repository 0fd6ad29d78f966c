#pragma once
// An autocorrelation pitch tracker, independent of the engine, to check what it produces.

#include <cstdint>
#include <vector>

namespace mowik::testing {

struct PitchFrame {
  double centre;  // sample index of the frame's middle
  double hz;      // 0 when the frame is not clearly periodic
};

// Frames of window samples every hop samples; periods between rate/high and rate/low.
std::vector<PitchFrame> TrackPitch(const std::vector<int16_t>& x, double rate, double low,
                                   double high, int window, int hop);

// The q-quantile (0..1) of values; values must not be empty.
double Quantile(std::vector<double> values, double q);

}  // namespace mowik::testing
