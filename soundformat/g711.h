#pragma once
#include <cstdint>

namespace mowik {

// G.711 encoding of one 16-bit linear sample. The sample is first rounded (half up) to the
// law's own resolution, 13 bits for A-law and 14 bits for mu-law, clipping at the top, then
// encoded by the standard segment rule (A-law: even bits inverted, 0xD5 for positive and
// 0x55 for negative values; mu-law: bias 0x84, all bits inverted). These bytes equal those of
// sox's encoders for every input.
uint8_t LinearToALaw(int16_t sample);
uint8_t LinearToMuLaw(int16_t sample);

}  // namespace mowik
