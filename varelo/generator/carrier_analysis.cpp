#include "varelo/generator/carrier_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mowik {
namespace {

constexpr double kPi = std::numbers::pi;

double At(const std::vector<int16_t>& x, int64_t i) {
  return i >= 0 && i < static_cast<int64_t>(x.size()) ? x[static_cast<size_t>(i)] : 0.0;
}

double Rms(const std::vector<int16_t>& x, int64_t first, int64_t end) {
  double sum = 0;
  for (int64_t i = first; i < end; ++i) sum += At(x, i) * At(x, i);
  return end > first ? std::sqrt(sum / static_cast<double>(end - first)) : 0.0;
}

// Projection of x[first, end) on the complex exponential of angular frequency w.
std::pair<double, double> Fundamental(const std::vector<int16_t>& x, const Stretch& s, double w) {
  double c = 0, si = 0;
  for (int64_t n = s.first; n < s.second; ++n) {
    c += At(x, n) * std::cos(w * static_cast<double>(n));
    si += At(x, n) * std::sin(w * static_cast<double>(n));
  }
  return {c, si};
}

}  // namespace

std::vector<Stretch> VoicedStretches(const std::vector<int16_t>& x, double period) {
  const int64_t lag = std::llround(period);
  const int64_t window = 2 * lag, hop = std::max<int64_t>(1, lag / 2);
  const int64_t size = static_cast<int64_t>(x.size());
  double loudest = 0;
  for (int64_t p = 0; p + window <= size; p += hop) loudest = std::max(loudest, Rms(x, p, p + window));
  std::vector<Stretch> stretches;
  for (int64_t p = 0; p + window + lag <= size; p += hop) {
    double xy = 0, xx = 0, yy = 0;
    for (int64_t n = p; n < p + window; ++n) {
      xy += At(x, n) * At(x, n + lag);
      xx += At(x, n) * At(x, n);
      yy += At(x, n + lag) * At(x, n + lag);
    }
    const bool loud = std::sqrt(xx / static_cast<double>(window)) > 0.03 * loudest;
    const bool periodic = xx > 0 && yy > 0 && xy / std::sqrt(xx * yy) > 0.6;
    if (!(loud && periodic)) continue;
    // A frame counts as voiced when part of it is; only its middle period is taken as voiced.
    const Stretch frame{p + lag / 2, p + lag / 2 + lag};
    if (!stretches.empty() && frame.first <= stretches.back().second) stretches.back().second = frame.second;
    else stretches.push_back(frame);
  }
  // A stretch shorter than two periods is a transient, not voicing.
  std::erase_if(stretches, [&](const Stretch& s) { return s.second - s.first < 2 * lag; });
  return stretches;
}

double MeasurePitch(const std::vector<int16_t>& x, const std::vector<Stretch>& stretches,
                    double rate, double low, double high) {
  auto energy = [&](double f) {
    double e = 0;
    for (const Stretch& s : stretches) {
      const auto [c, si] = Fundamental(x, s, 2 * kPi * f / rate);
      e += c * c + si * si;
    }
    return e;
  };
  double best = low, bestEnergy = -1;
  for (double step : {0.1, 0.01}) {
    const double from = bestEnergy < 0 ? low : best - 10 * step;
    const double to = bestEnergy < 0 ? high : best + 10 * step;
    for (int i = 0; from + i * step <= to; ++i) {
      const double f = from + i * step;
      const double e = energy(f);
      if (e > bestEnergy) bestEnergy = e, best = f;
    }
  }
  return best;
}

std::vector<PitchMark> PitchMarks(const std::vector<int16_t>& x,
                                  const std::vector<Stretch>& voiced, double period) {
  std::vector<PitchMark> marks;
  const double w = 2 * kPi / period;
  auto fill = [&](double until) {  // unvoiced filler up to half a period before until
    double next = marks.empty() ? period / 2 : marks.back().position + period;
    while (next < until - period / 2) {
      marks.push_back({next, false});
      next += period;
    }
  };
  for (const Stretch& s : voiced) {
    const auto [c, si] = Fundamental(x, s, w);
    // x ~ A cos(wn + phi) with phi = atan2(-si, c); it falls through zero where wn + phi = pi/2.
    const double phi = std::atan2(-si, c);
    double first = (kPi / 2 - phi) / w;
    first += std::ceil((static_cast<double>(s.first) - first) / period) * period;
    fill(first);
    for (double m = first; m < static_cast<double>(s.second); m += period) marks.push_back({m, true});
  }
  fill(static_cast<double>(x.size()) + period / 2);
  return marks;
}

int64_t ClosureStart(const std::vector<int16_t>& x, int64_t from, int64_t burst,
                     int64_t maxLength, double rate) {
  const int64_t frame = std::max<int64_t>(1, std::llround(rate * 0.002));
  double loudest = 0;
  for (int64_t p = from; p + frame <= burst; p += frame) loudest = std::max(loudest, Rms(x, p, p + frame));
  const int64_t limit = std::max(from, burst - maxLength);
  int64_t start = burst;
  while (start - frame >= limit && Rms(x, start - frame, start) < 0.2 * loudest) start -= frame;
  return start;
}

std::vector<int16_t> Resample(const std::vector<int16_t>& x, double fromRate, double toRate,
                              int64_t first, int64_t count) {
  // Windowed sinc, cut off a little below the lower Nyquist frequency.
  const double cutoff = 0.94 * std::min(fromRate, toRate) / 2 / fromRate;  // cycles per input sample
  constexpr int kHalf = 32;                                                 // input samples each side
  std::vector<int16_t> out(static_cast<size_t>(std::max<int64_t>(0, count)));
  for (int64_t n = 0; n < count; ++n) {
    const double t = static_cast<double>(first + n) * fromRate / toRate;
    const int64_t centre = static_cast<int64_t>(std::floor(t));
    double sum = 0;
    for (int64_t k = centre - kHalf + 1; k <= centre + kHalf; ++k) {
      const double d = t - static_cast<double>(k);
      const double arg = 2 * cutoff * d;
      const double sinc = std::abs(arg) < 1e-12 ? 1.0 : std::sin(kPi * arg) / (kPi * arg);
      const double u = d / kHalf;  // Blackman window over [-1, 1]
      const double window = std::abs(u) >= 1 ? 0.0 : 0.42 + 0.5 * std::cos(kPi * u) + 0.08 * std::cos(2 * kPi * u);
      sum += At(x, k) * 2 * cutoff * sinc * window;
    }
    out[static_cast<size_t>(n)] = static_cast<int16_t>(std::clamp(std::round(sum), -32768.0, 32767.0));
  }
  return out;
}

}  // namespace mowik
