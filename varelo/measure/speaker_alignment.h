#pragma once
// Where the phones of one rendering of an utterance lie in another rendering of it at another
// pace. eSpeak NG hands its output at 450 words a minute and over to sonic, whose phoneme
// events no longer fall on the samples they name; the measure takes the phone boundaries of
// eSpeak's fastest own timing and carries them over to the faster rendering by dynamic time
// warping of their mel cepstra.

#include <cstdint>
#include <vector>

#include "varelo/measure/cepstra.h"

namespace mowik {

// Boundaries (increasing sample positions in from, 16000 Hz) moved to the same places in to:
// increasing again, each at least kMinGap after the one before and all within to.
constexpr int64_t kAlignmentMinGap = 16;
std::vector<int64_t> CarryBoundaries(const std::vector<int16_t>& from, const std::vector<int16_t>& to,
                                     const std::vector<int64_t>& boundaries, const Cepstra& cep);

}  // namespace mowik
