// The generated voice pl1 follows the requested pitch contour, at its own rate and another.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "varelo/engine.h"
#include "varelo/module_folder.h"
#include "varelo/tests/pitch_tracker.h"
#include "testing/test_voice.h"

namespace mowik {
namespace {

using testing::Quantile;
using testing::TrackPitch;

// Voiced phones only, so every stretch should carry the contour.
const char* const kVoiced[] = {"a", "l", "a", "m", "o", "n", "e", "w", "u", "j", "a", "r",
                               "o", "m", "i", "l", "e", "n'", "o", "v", "a", "z", "I", "m", "a"};
constexpr double kPhoneMs = 120;

struct Contour {
  double from, to;  // Hz at the first and the last phone's start
};

std::string Text(const Contour& c) {
  std::ostringstream s;
  const size_t n = std::size(kVoiced);
  s << "_ 50\n";
  for (size_t i = 0; i < n; ++i)
    s << kVoiced[i] << ' ' << kPhoneMs << " 0 " << c.from + (c.to - c.from) * i / (n - 1) << "\n";
  s << "_ 50\n";
  return s.str();
}

double Expected(const Contour& c, double ms) {
  const double t = (ms - 50) / kPhoneMs;  // in phones from the first one's start
  const double last = std::size(kVoiced) - 1;
  return c.from + (c.to - c.from) * std::clamp(t, 0.0, last) / last;
}

class Pl1Pitch : public ::testing::TestWithParam<std::tuple<int, Contour>> {};

TEST_P(Pl1Pitch, FollowsTheContour) {
  const auto [rate, contour] = GetParam();
  Engine engine;
  ASSERT_EQ(engine.Init("pl1", nullptr, nullptr, EngineFolder()), kEngineOk) << engine.LastErrorText();
  engine.SetRate(rate);
  int error = 0;
  const std::vector<int16_t> x = testing::Speak(engine, Text(contour), &error);
  ASSERT_EQ(error, 0) << engine.LastErrorText();
  const double low = std::min(contour.from, contour.to), high = std::max(contour.from, contour.to);
  const int window = static_cast<int>(rate * 0.04);
  const auto frames = TrackPitch(x, rate, low * 0.6, high * 1.6, window, rate / 100);
  std::vector<double> errors;
  size_t considered = 0;
  for (const auto& f : frames) {
    const double ms = f.centre * 1000.0 / rate;
    if (ms < 50 + 30 || ms > 50 + kPhoneMs * std::size(kVoiced) - 30) continue;
    ++considered;
    if (f.hz > 0) errors.push_back(std::abs(f.hz - Expected(contour, ms)) / Expected(contour, ms));
  }
  ASSERT_GT(errors.size(), considered * 8 / 10) << "too few periodic frames";
  const double median = Quantile(errors, 0.5), p95 = Quantile(errors, 0.95);
  RecordProperty("median", std::to_string(median));
  std::printf("rate %d, %g..%g Hz: median %.4f, 95%% %.4f, %zu of %zu frames periodic\n", rate,
              contour.from, contour.to, median, p95, errors.size(), considered);
  EXPECT_LT(median, 0.02);
  EXPECT_LT(p95, 0.05);
}

INSTANTIATE_TEST_SUITE_P(
    RatesAndContours, Pl1Pitch,
    ::testing::Combine(::testing::Values(16000, 22050),
                       ::testing::Values(Contour{60, 60}, Contour{100, 100}, Contour{200, 200},
                                         Contour{400, 400}, Contour{80, 300}, Contour{400, 150})));

}  // namespace
}  // namespace mowik
