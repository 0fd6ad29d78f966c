#pragma once
#include <array>

namespace mowik {

inline constexpr int kDecimationTapCount = 201;

// The half-rate decimation filter's taps h[0] to h[200]: symmetric (h[j] = h[200 - j]),
// low-pass cut off at a quarter of the input rate, summing to 0.96448. The table is generated
// by design/decimation_taps_design.cpp; its opening comment gives the design's figures.
extern const std::array<double, kDecimationTapCount> kDecimationTaps;

}  // namespace mowik
