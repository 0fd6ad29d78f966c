#include "mowik/program/random_between.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace mowik {

// Seeded once. Seeding again at every call, as a clock-seeded generator is often used,
// would give equal draws to calls within one clock tick: the base pitch and the range of a
// rising piece would then always move together.
RandomSource::RandomSource()
    : generator_(static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

double RandomSource::Draw() {
  std::lock_guard lock(mutex_);
  if (fixed_) return *fixed_;
  const double r = std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
  return r < 1.0 ? r : std::nextafter(1.0, 0.0);  // some library versions can round up to 1
}

int16_t RandomSource::Between(int16_t lo, int16_t hi) {
  const double span = static_cast<double>(hi) - lo + 1;
  const double value = lo + std::floor(span * Draw());
  // Only a reversed range (hi < lo) can leave the 16-bit range; keep the cast defined.
  return static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0));
}

bool RandomSource::Fix(double r) {
  if (!(r >= 0.0 && r < 1.0)) return false;
  std::lock_guard lock(mutex_);
  fixed_ = r;
  return true;
}

void RandomSource::Release() {
  std::lock_guard lock(mutex_);
  fixed_.reset();
}

RandomSource& ProgramRandom() {
  static RandomSource source;
  return source;
}

int16_t RandomBetween(int16_t lo, int16_t hi) { return ProgramRandom().Between(lo, hi); }
bool FixRandomDraw(double r) { return ProgramRandom().Fix(r); }
void ReleaseRandomDraw() { ProgramRandom().Release(); }

}  // namespace mowik
