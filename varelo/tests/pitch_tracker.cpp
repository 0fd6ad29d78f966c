#include "varelo/tests/pitch_tracker.h"

#include <algorithm>
#include <cmath>

namespace mowik::testing {

std::vector<PitchFrame> TrackPitch(const std::vector<int16_t>& x, double rate, double low,
                                   double high, int window, int hop) {
  std::vector<PitchFrame> frames;
  const int minLag = static_cast<int>(std::floor(rate / high));
  const int maxLag = static_cast<int>(std::ceil(rate / low));
  for (size_t p = 0; p + window + maxLag + 1 <= x.size(); p += hop) {
    std::vector<double> r(maxLag + 2, 0.0);
    for (int lag = minLag - 1; lag <= maxLag + 1; ++lag) {
      double xy = 0, xx = 0, yy = 0;
      for (int n = 0; n < window; ++n) {
        const double a = x[p + n], b = x[p + n + lag];
        xy += a * b, xx += a * a, yy += b * b;
      }
      r[lag] = xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
    }
    double best = 0;
    for (int lag = minLag; lag <= maxLag; ++lag) best = std::max(best, r[lag]);
    double hz = 0;
    if (best > 0.6) {
      // The shortest period that is nearly as good as the best: no octave jumps downwards.
      for (int lag = minLag; lag <= maxLag; ++lag) {
        if (r[lag] < 0.9 * best || r[lag] < r[lag - 1] || r[lag] < r[lag + 1]) continue;
        const double a = r[lag - 1], b = r[lag], c = r[lag + 1];
        const double denominator = a - 2 * b + c;
        const double shift = denominator != 0 ? 0.5 * (a - c) / denominator : 0;
        hz = rate / (lag + std::clamp(shift, -0.5, 0.5));
        break;
      }
    }
    frames.push_back({p + window / 2.0, hz});
  }
  return frames;
}

double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  const size_t i = std::min(values.size() - 1, static_cast<size_t>(q * (values.size() - 1) + 0.5));
  return values[i];
}

}  // namespace mowik::testing
