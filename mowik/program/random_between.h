#pragma once
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>

namespace mowik {

// Draws r in [0, 1) for the rising intonation and the voice test: from a generator seeded
// once (the same seed, the same draws), or fixed at one value so that prosody can be
// reproduced. Safe to share between threads (each draw takes its lock).
class RandomSource {
 public:
  explicit RandomSource(uint64_t seed) : generator_(seed) {}
  // Seeded from the clock.
  RandomSource();
  RandomSource(const RandomSource&) = delete;
  RandomSource& operator=(const RandomSource&) = delete;

  // A whole number chosen uniformly from lo to hi inclusive: lo + floor((hi - lo + 1) * r).
  int16_t Between(int16_t lo, int16_t hi);
  // Makes every later draw return r (0 <= r < 1); values outside are refused (false, and
  // nothing changes). Release goes back to the generator.
  bool Fix(double r);
  void Release();

 private:
  double Draw();

  std::mutex mutex_;
  std::mt19937_64 generator_;
  std::optional<double> fixed_;
};

// The program's own source: the pipeline draws from it unless its caller gives one.
RandomSource& ProgramRandom();

// ProgramRandom's draw, fix and release, as the program has always called them.
int16_t RandomBetween(int16_t lo, int16_t hi);
bool FixRandomDraw(double r);
void ReleaseRandomDraw();

}  // namespace mowik
