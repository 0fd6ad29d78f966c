#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "soundformat/decimation_taps.h"

namespace mowik {

// Halves the rate of 16-bit samples through the 201-tap low-pass of kDecimationTaps.
//
// Output sample k of a block is the sum over j of h[j] * z[2k + j], where z is the history
// (the last 201 samples of earlier blocks, zero at first) followed by the block. The running
// sum is clamped to -32766 .. 32767 after every tap and the result truncated toward zero.
// The sum is kept in fixed point with 44 fractional bits, so it is exact and the same on
// every build whatever the order of the arithmetic.
class DecimationFilter {
 public:
  DecimationFilter();

  // Filters count samples into count / 2 samples written to out (an odd last sample is
  // dropped and does not enter the history); returns count / 2. out must have room for it.
  size_t Process(const int16_t* in, size_t count, int16_t* out);

  // Forgets the history (all zero again).
  void Reset();

 private:
  std::array<int16_t, kDecimationTapCount> history_;
  std::vector<int16_t> work_;  // history followed by one chunk of input
};

}  // namespace mowik
