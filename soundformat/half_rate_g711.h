#pragma once
#include <cstddef>
#include <cstdint>

#include "soundformat/decimation_filter.h"

namespace mowik {

enum class G711Law { kALaw, kMuLaw };

// The telephony path: count 16-bit samples through filter (halving the rate) and G.711 into
// count / 2 bytes at out, which must have room for them. Returns count / 2.
size_t EncodeHalfRateG711(DecimationFilter& filter, G711Law law, const int16_t* in, size_t count,
                          uint8_t* out);

}  // namespace mowik
