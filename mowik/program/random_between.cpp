#include "mowik/program/random_between.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <random>

namespace mowik {
namespace {

std::optional<double> fixed_draw;

// Seeded once from the clock. Seeding again at every call, as a clock-seeded generator is
// often used, would give equal draws to calls within one clock tick: the base pitch and the
// range of a rising piece would then always move together.
std::mt19937_64& Generator() {
  static std::mt19937_64 generator(static_cast<uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return generator;
}

double Draw() {
  if (fixed_draw) return *fixed_draw;
  const double r = std::uniform_real_distribution<double>(0.0, 1.0)(Generator());
  return r < 1.0 ? r : std::nextafter(1.0, 0.0);  // some library versions can round up to 1
}

}  // namespace

int16_t RandomBetween(int16_t lo, int16_t hi) {
  const double span = static_cast<double>(hi) - lo + 1;
  const double value = lo + std::floor(span * Draw());
  // Only a reversed range (hi < lo) can leave the 16-bit range; keep the cast defined.
  return static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0));
}

bool FixRandomDraw(double r) {
  if (!(r >= 0.0 && r < 1.0)) return false;
  fixed_draw = r;
  return true;
}

void ReleaseRandomDraw() { fixed_draw.reset(); }

}  // namespace mowik
