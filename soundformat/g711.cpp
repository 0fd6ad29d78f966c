#include "soundformat/g711.h"

namespace mowik {
namespace {

// Index of the segment: the number of times value must be halved to fit under limit.
int Segment(int value, int limit) {
  int segment = 0;
  while (segment < 8 && value > limit) {
    limit = limit * 2 + 1;
    ++segment;
  }
  return segment;
}

}  // namespace

uint8_t LinearToALaw(int16_t sample) {
  // To 13 bits, rounding half up; 32764 and above would round past the top and are clipped.
  int value = sample >= 32764 ? 4095 : (sample + 4) >> 3;
  int mask = 0xD5;
  if (value < 0) {
    mask = 0x55;
    value = -value - 1;
  }
  const int segment = Segment(value, 0x1F);
  if (segment >= 8) return static_cast<uint8_t>(0x7F ^ mask);
  const int mantissa = (segment < 2 ? value >> 1 : value >> segment) & 0x0F;
  return static_cast<uint8_t>(((segment << 4) | mantissa) ^ mask);
}

uint8_t LinearToMuLaw(int16_t sample) {
  // To 14 bits, rounding half up; 32766 and above would round past the top and are clipped.
  int value = sample >= 32766 ? 8191 : (sample + 2) >> 2;
  int mask = 0xFF;
  if (value < 0) {
    mask = 0x7F;
    value = -value;
  }
  if (value > 8159) value = 8159;
  // The bias 0x84 of the 16-bit form is 0x21 at 14 bits.
  value += 0x84 >> 2;
  const int segment = Segment(value, 0x3F);
  if (segment >= 8) return static_cast<uint8_t>(0x7F ^ mask);
  const int mantissa = (value >> (segment + 1)) & 0x0F;
  return static_cast<uint8_t>(((segment << 4) | mantissa) ^ mask);
}

}  // namespace mowik
