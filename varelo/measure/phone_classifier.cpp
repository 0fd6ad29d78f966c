#include "varelo/measure/phone_classifier.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mowik {

PhoneShape ShapeOf(const Cepstra& cep, const std::vector<int16_t>& x, int64_t start, int64_t end,
                   double levelOf0dB, double floor) {
  constexpr int kFrame = 320;  // 20 ms: short enough for a phone at three times Mowik's pace
  PhoneShape shape;
  const double length = static_cast<double>(std::max<int64_t>(end - start, 1));
  for (int k = 0; k < kShapePoints; ++k) {
    const int64_t centre = start + std::llround(length * (k + 0.5) / kShapePoints);
    const std::vector<double> c = cep.At(x, centre, kFrame, floor);
    shape.features.insert(shape.features.end(), c.begin(), c.end());
    const double level = 10 * std::log10(std::max(cep.Energy(x, centre, kFrame), 1e-3) / std::max(levelOf0dB, 1e-3));
    // In tenths of a decibel's tenfold, so that 10 dB of loudness weighs about as much as one
    // unit of a cepstral coefficient; silence counts as 60 dB down, not as minus infinity.
    shape.features.push_back(std::max(level, -60.0) / 10);
  }
  return shape;
}

std::string HeardAs(const PhoneShape& shape, const std::vector<PhoneShape>& speaker) {
  double best = std::numeric_limits<double>::infinity();
  std::string symbol;
  for (const PhoneShape& s : speaker) {
    if (s.utterance == shape.utterance || s.features.size() != shape.features.size()) continue;
    double d = 0;
    for (size_t i = 0; i < s.features.size(); ++i) d += (s.features[i] - shape.features[i]) * (s.features[i] - shape.features[i]);
    if (d < best) best = d, symbol = s.symbol;
  }
  return symbol;
}

}  // namespace mowik
