#pragma once
// "Heard as": which phone a listener trained on the speaker alone would take a stretch of
// speech for. Each phone is described by its spectrum (mel cepstra) and loudness at a few
// points evenly spread over it, so a short and a long rendering of a phone compare; a phone is
// heard as the symbol of the nearest of the speaker's phones from other utterances (leave one
// utterance out, so that no phone is matched against its own recording).

#include <cstdint>
#include <string>
#include <vector>

#include "varelo/measure/cepstra.h"

namespace mowik {

struct PhoneShape {
  std::string symbol;
  int utterance = 0;
  std::vector<double> features;  // kShapePoints frames of c1..c12 and level (dB / 10)
};

constexpr int kShapePoints = 4;

// The shape of x[start, end) (16000 Hz). levelOf0dB: the mean square that counts as 0 dB (the
// loudest frame of the utterance), so levels compare across utterances; floor as for Cepstra.
PhoneShape ShapeOf(const Cepstra& cep, const std::vector<int16_t>& x, int64_t start, int64_t end,
                   double levelOf0dB, double floor);

// The symbol of the speaker's phone nearest to shape that comes from another utterance than
// shape's own; empty when there is none.
std::string HeardAs(const PhoneShape& shape, const std::vector<PhoneShape>& speaker);

}  // namespace mowik
