// Times the telephony path (201-tap decimation filter plus G.711 encoding) on one core and
// prints how many times faster than real time it runs for 16 kHz engine samples.
//   half_rate_g711_bench [seconds of audio]   (default 600)

#include <chrono>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "soundformat/half_rate_g711.h"

namespace {

// Speech-like input at two levels: quiet, and loud enough to hit the filter's clamp.
std::vector<int16_t> Input(size_t count) {
  std::mt19937 random(1);
  std::normal_distribution<double> noise(0, 2000);
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) {
    const double t = i / 16000.0;
    const double level = (i / 16000) % 4 == 3 ? 3.5 : 1.0;
    const double v = level * (5000 * std::sin(2 * std::numbers::pi * 150 * t) + 2500 * std::sin(2 * std::numbers::pi * 1900 * t)) +
                     noise(random);
    samples[i] = static_cast<int16_t>(std::fmax(-32768, std::fmin(32767, v)));
  }
  return samples;
}

double Run(mowik::G711Law law, const std::vector<int16_t>& in, std::vector<uint8_t>& out) {
  mowik::DecimationFilter filter;
  const auto start = std::chrono::steady_clock::now();
  for (size_t at = 0; at < in.size(); at += 4096) {
    const size_t n = std::min<size_t>(4096, in.size() - at);
    mowik::EncodeHalfRateG711(filter, law, in.data() + at, n, out.data() + at / 2);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const double audioSeconds = argc > 1 ? std::atof(argv[1]) : 600.0;
  const auto in = Input(static_cast<size_t>(audioSeconds * 16000));
  std::vector<uint8_t> out(in.size() / 2 + 1);
  const double alaw = Run(mowik::G711Law::kALaw, in, out);
  const double mulaw = Run(mowik::G711Law::kMuLaw, in, out);
  std::printf("half-rate G.711 path on %.0f s of 16 kHz audio (one core)\n", audioSeconds);
  std::printf("A-law:  %.3f s, %.0f times real time\n", alaw, audioSeconds / alaw);
  std::printf("mu-law: %.3f s, %.0f times real time\n", mulaw, audioSeconds / mulaw);
  return 0;
}
