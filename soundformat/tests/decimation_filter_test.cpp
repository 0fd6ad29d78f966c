#include "soundformat/decimation_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

#include "soundformat/half_rate_g711.h"

namespace mowik {
namespace {

const std::vector<double>& Taps() {
  static const std::vector<double> taps(kDecimationTaps.begin(), kDecimationTaps.end());
  return taps;
}

TEST(DecimationTaps, SymmetricHalfBandThroughTheFixedValues) {
  const auto& h = Taps();
  for (int j = 0; j < 201; ++j) ASSERT_EQ(h[j], h[200 - j]) << j;
  EXPECT_EQ(h[100], 0.50026962);
  EXPECT_EQ(h[99], 0.31807849);
  EXPECT_EQ(h[97], -0.10605793);
  EXPECT_EQ(h[95], 0.063556367);
  EXPECT_EQ(h[93], -0.045341797);
  EXPECT_EQ(h[91], 0.035195558);
  EXPECT_EQ(h[98], 0.000093506883);
  EXPECT_EQ(h[0], 0.00000095084056);
  EXPECT_EQ(h[1], -0.018662054);
  for (int d = 2; d <= 100; d += 2) EXPECT_LT(std::fabs(h[100 - d]), 0.0001) << "distance " << d;
  EXPECT_NEAR(std::accumulate(h.begin(), h.end(), 0.0), 0.96448, 5e-9);
}

std::vector<int16_t> Tone(double hertz, double amplitude, size_t count, double rate = 16000) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * hertz * i / rate)));
  return samples;
}

// Amplitude of a filtered tone, from its power once the filter has filled.
double AmplitudeAfterSettling(const std::vector<int16_t>& out) {
  double power = 0;
  for (size_t k = 200; k < out.size(); ++k) power += static_cast<double>(out[k]) * out[k];
  return std::sqrt(2 * power / static_cast<double>(out.size() - 200));
}

std::vector<int16_t> Filtered(DecimationFilter& filter, const std::vector<int16_t>& in) {
  std::vector<int16_t> out(in.size() / 2);
  EXPECT_EQ(filter.Process(in.data(), in.size(), out.data()), in.size() / 2);
  return out;
}

TEST(DecimationFilter, PassesSpeechBandAndStopsAboveAQuarterOfTheRate) {
  for (const double hertz : {200.0, 1000.0, 3000.0, 3900.0}) {
    DecimationFilter filter;
    const double amplitude = AmplitudeAfterSettling(Filtered(filter, Tone(hertz, 10000, 8000)));
    EXPECT_GT(amplitude, 10000 * 0.96) << hertz << " Hz";
    EXPECT_LT(amplitude, 10000 * 1.04) << hertz << " Hz";
  }
  for (const double hertz : {4100.0, 5000.0, 7000.0, 7990.0}) {
    DecimationFilter filter;
    // 28 dB down; what is left would alias into the speech band.
    EXPECT_LT(AmplitudeAfterSettling(Filtered(filter, Tone(hertz, 10000, 8000))), 10000 * 0.04)
        << hertz << " Hz";
  }
}

// Output k is the sum over j of h[j] * z[2k + j], z being 201 samples of history and then the
// block: an impulse at block position i shows up in output k with tap 201 + i - 2k.
TEST(DecimationFilter, ImpulseShowsTheTapsAndTheHistoryDelay) {
  DecimationFilter filter;
  std::vector<int16_t> in(600, 0);
  in[99] = 20000;  // z index 300: tap 100 in output 100, tap 98 in output 101, ...
  const auto out = Filtered(filter, in);
  EXPECT_EQ(out[0], 0) << "the first output sees only the history";
  EXPECT_EQ(out[100], static_cast<int16_t>(20000 * 0.50026962));
  EXPECT_EQ(out[101], static_cast<int16_t>(20000 * 0.000093506883));
  EXPECT_EQ(out[99], static_cast<int16_t>(20000 * 0.000093506883));
  EXPECT_EQ(out[150], static_cast<int16_t>(20000 * 0.00000095084056));
  EXPECT_EQ(out[151], 0) << "past the last tap";
}

TEST(DecimationFilter, TruncatesTowardZero) {
  for (const auto& [input, expected] : std::vector<std::pair<int16_t, int16_t>>{
           {3, 1}, {-3, -1}, {-1, 0}, {1, 0}, {5, 2}, {-5, -2}}) {
    DecimationFilter filter;
    std::vector<int16_t> in(400, 0);
    in[99] = input;  // alone under the centre tap of output 100
    EXPECT_EQ(Filtered(filter, in)[100], expected) << input;
  }
}

// A block for output 100 of a fresh filter, which covers z[200..400]: block position i sits
// under tap i + 1.
std::vector<int16_t> UnderTaps(std::initializer_list<std::pair<int, int16_t>> tapsAndValues) {
  std::vector<int16_t> in(400, 0);
  for (const auto& [tap, value] : tapsAndValues) in[tap - 1] = value;
  return in;
}

TEST(DecimationFilter, ClampsTheRunningSumAfterEveryTap) {
  // In tap order: -0.106 x, then 0.318 + 0.500 + 0.318 of full scale pass 32767 at tap 101,
  // then -0.106 x again. Clamped there, the sum ends near 32767 * 0.894; unclamped it would
  // end near 30286.
  DecimationFilter up;
  const auto high = Filtered(up, UnderTaps({{97, 32767}, {99, 32767}, {100, 32767}, {101, 32767},
                                            {103, 32767}}));
  EXPECT_EQ(high[100], static_cast<int16_t>(32767 - 32767 * 0.10605793));

  DecimationFilter down;
  const auto low = Filtered(down, UnderTaps({{97, -32768}, {99, -32768}, {100, -32768},
                                             {101, -32768}, {103, -32768}}));
  EXPECT_EQ(low[100], static_cast<int16_t>(-32766 + 32768 * 0.10605793));

  // A sum that only ends beyond the range is clamped too, and stays a 16-bit sample.
  DecimationFilter full;
  std::vector<int16_t> in(1000);
  for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<int16_t>(Taps()[(i + 1) % 201] > 0 ? 32767 : -32768);
  for (const int16_t s : Filtered(full, in)) {
    ASSERT_GE(s, -32766);
    ASSERT_LE(s, 32767);
  }
}

TEST(DecimationFilter, BlocksOfAnyEvenSizeGiveTheSameOutputAsOneBlock) {
  std::mt19937 random(6);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  std::vector<int16_t> in(40000);
  for (auto& s : in) s = static_cast<int16_t>(sample(random));

  DecimationFilter whole;
  const auto expected = Filtered(whole, in);

  DecimationFilter pieces;
  std::vector<int16_t> out;
  const size_t sizes[] = {0, 2, 10, 200, 202, 16384, 18000, 4096};
  size_t at = 0;
  for (size_t i = 0; at < in.size(); ++i) {
    const size_t n = std::min(sizes[i % std::size(sizes)], in.size() - at);
    std::vector<int16_t> part(n / 2);
    pieces.Process(in.data() + at, n, part.data());
    out.insert(out.end(), part.begin(), part.end());
    at += n;
  }
  EXPECT_EQ(out, expected);
}

TEST(DecimationFilter, OddLastSampleIsDroppedAndNotRemembered) {
  std::vector<int16_t> in = Tone(440, 12000, 4097);
  std::vector<int16_t> next = Tone(300, 9000, 600);

  DecimationFilter odd, even;
  std::vector<int16_t> a(2048), b(2048), c(300), d(300);
  EXPECT_EQ(odd.Process(in.data(), 4097, a.data()), 2048u);
  EXPECT_EQ(even.Process(in.data(), 4096, b.data()), 2048u);
  odd.Process(next.data(), next.size(), c.data());
  even.Process(next.data(), next.size(), d.data());
  EXPECT_EQ(a, b);
  EXPECT_EQ(c, d);
}

TEST(HalfRateG711, FourThousandNinetySevenSamplesGiveTwoThousandFortyEightBytes) {
  const auto in = Tone(1000, 8000, 4097);
  std::vector<uint8_t> out(4097, 0xEE);
  DecimationFilter filter;
  EXPECT_EQ(EncodeHalfRateG711(filter, G711Law::kALaw, in.data(), in.size(), out.data()), 2048u);
  EXPECT_EQ(out[2048], 0xEE) << "nothing written past the count";
  EXPECT_EQ(EncodeHalfRateG711(filter, G711Law::kMuLaw, in.data(), 1, out.data()), 0u);
}

}  // namespace
}  // namespace mowik
