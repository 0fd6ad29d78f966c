#include "sapi/voice_math.h"

#include <algorithm>
#include <cmath>

namespace mowik {

long CombinedRate(long baseRate, long tagAdjustment) {
  // Clamp each first: a huge tag value must not overflow the sum.
  const long base = std::clamp(baseRate, kMinRate, kMaxRate);
  const long tag = std::clamp(tagAdjustment, 2 * kMinRate, 2 * kMaxRate);
  return std::clamp(base + tag, kMinRate, kMaxRate);
}

double DurationFactor(long rate) {
  return std::pow(3.0, -static_cast<double>(std::clamp(rate, kMinRate, kMaxRate)) / 10.0);
}

double VolumeRatio(unsigned baseVolume, unsigned tagVolume) {
  return std::min(baseVolume, 100u) / 100.0 * (std::min(tagVolume, 100u) / 100.0);
}

double PitchFactor(long middle) {
  return std::pow(2.0, static_cast<double>(std::clamp(middle, -10L, 10L)) / 12.0);
}

SkipResult SkipTarget(size_t current, size_t count, long requested) {
  current = std::min(current, count);
  long long target = static_cast<long long>(current) + requested;
  target = std::clamp<long long>(target, 0, static_cast<long long>(count));
  return {static_cast<size_t>(target), static_cast<long>(target - static_cast<long long>(current))};
}

}  // namespace mowik
