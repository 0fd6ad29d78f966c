#pragma once
#include <cstdint>

namespace mowik {

// A whole number chosen uniformly from lo to hi inclusive: lo + floor((hi - lo + 1) * r) for
// a draw r in [0, 1).
int16_t RandomBetween(int16_t lo, int16_t hi);

// Makes every later draw return r (0 <= r < 1), so that prosody can be reproduced;
// ReleaseRandomDraw goes back to random draws. Values outside [0, 1) are refused (false).
bool FixRandomDraw(double r);
void ReleaseRandomDraw();

}  // namespace mowik
