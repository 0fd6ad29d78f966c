// Designs the 201 taps of the half-rate decimation filter and prints them as the C++ source
// of decimation_taps.cpp, with the design's figures in its opening comment.
//
//   decimation_taps_design > soundformat/decimation_taps.cpp
//
// The filter is a symmetric half-band low-pass cut off at a quarter of the input rate. The
// taps nearest the centre, the two outermost ones, the one even-distance tap next to the
// centre and the DC gain (the sum of the taps) are fixed: earlier output depended on them.
// The remaining odd-distance taps are chosen to come as close to equiripple as those fixed
// values allow (weighted least squares with Lawson's reweighting, the sum held by a
// Lagrange multiplier); the remaining even-distance taps are zero, as in any half-band
// filter. Everything here is deterministic, so the output is the same on every run.

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTaps = 201;
constexpr int kHalf = kTaps / 2;  // the centre tap's index and the largest distance from it
constexpr double kPi = 3.14159265358979323846;
constexpr double kTapSum = 0.96448;

// Distance from the centre and value of every fixed tap.
const std::pair<int, double> kFixed[] = {
    {0, 0.50026962},      {1, 0.31807849},  {3, -0.10605793},       {5, 0.063556367},
    {7, -0.045341797},    {9, 0.035195558}, {2, 0.000093506883},    {100, 0.00000095084056},
    {99, -0.018662054},
};

// Band edges as fractions of the input rate: the pass band ends this far below a quarter of
// the rate and the stop band starts as far above it.
constexpr double kHalfTransition = 0.004;
constexpr int kGridPerBand = 2000;
constexpr int kLawsonRounds = 300;

// Solves the square system m x = b in place by Gaussian elimination with partial pivoting.
std::vector<double> Solve(std::vector<std::vector<double>> m, std::vector<double> b) {
  const size_t n = b.size();
  for (size_t col = 0; col < n; ++col) {
    size_t pivot = col;
    for (size_t r = col + 1; r < n; ++r)
      if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
    std::swap(m[col], m[pivot]);
    std::swap(b[col], b[pivot]);
    for (size_t r = col + 1; r < n; ++r) {
      const double f = m[r][col] / m[col][col];
      for (size_t c = col; c < n; ++c) m[r][c] -= f * m[col][c];
      b[r] -= f * b[col];
    }
  }
  std::vector<double> x(n);
  for (size_t i = n; i-- > 0;) {
    double s = b[i];
    for (size_t c = i + 1; c < n; ++c) s -= m[i][c] * x[c];
    x[i] = s / m[i][i];
  }
  return x;
}

// Zero-phase response of the symmetric filter given by its taps per distance from the centre.
double Response(const std::vector<double>& byDistance, double omega) {
  double h = byDistance[0];
  for (int d = 1; d <= kHalf; ++d) h += 2 * byDistance[d] * std::cos(d * omega);
  return h;
}

std::string Format(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

}  // namespace

int main() {
  std::vector<double> byDistance(kHalf + 1, 0.0);
  std::vector<bool> fixed(kHalf + 1, false);
  for (const auto& [d, value] : kFixed) {
    byDistance[d] = value;
    fixed[d] = true;
  }
  std::vector<int> free;  // distances of the taps to design
  for (int d = 1; d <= kHalf; d += 2)
    if (!fixed[d]) free.push_back(d);

  // The grid covers the pass band [0, wp] and the stop band [ws, pi] in radians per sample.
  const double wp = 2 * kPi * (0.25 - kHalfTransition);
  const double ws = 2 * kPi * (0.25 + kHalfTransition);
  std::vector<double> omega, desired;
  for (int i = 0; i < kGridPerBand; ++i) {
    omega.push_back(wp * i / (kGridPerBand - 1));
    desired.push_back(1.0);
  }
  for (int i = 0; i < kGridPerBand; ++i) {
    omega.push_back(ws + (kPi - ws) * i / (kGridPerBand - 1));
    desired.push_back(0.0);
  }
  const size_t points = omega.size();
  const size_t unknowns = free.size();

  // What the fixed taps contribute, and the sum the designed taps must make up.
  std::vector<double> target(points);
  for (size_t i = 0; i < points; ++i) target[i] = desired[i] - Response(byDistance, omega[i]);
  double fixedSum = byDistance[0];
  for (int d = 1; d <= kHalf; ++d) fixedSum += 2 * byDistance[d];
  const double freeSum = (kTapSum - fixedSum) / 2;

  std::vector<std::vector<double>> basis(points, std::vector<double>(unknowns));
  for (size_t i = 0; i < points; ++i)
    for (size_t k = 0; k < unknowns; ++k) basis[i][k] = 2 * std::cos(free[k] * omega[i]);

  std::vector<double> weight(points, 1.0 / points);
  std::vector<double> x;
  for (int round = 0; round < kLawsonRounds; ++round) {
    // Normal equations with one row and column more for the sum of the designed taps.
    std::vector<std::vector<double>> m(unknowns + 1, std::vector<double>(unknowns + 1, 0.0));
    std::vector<double> b(unknowns + 1, 0.0);
    for (size_t i = 0; i < points; ++i) {
      for (size_t r = 0; r < unknowns; ++r) {
        const double wr = weight[i] * basis[i][r];
        b[r] += wr * target[i];
        for (size_t c = 0; c < unknowns; ++c) m[r][c] += wr * basis[i][c];
      }
    }
    for (size_t k = 0; k < unknowns; ++k) m[k][unknowns] = m[unknowns][k] = 1.0;
    b[unknowns] = freeSum;
    x = Solve(m, b);
    x.pop_back();

    double total = 0;
    for (size_t i = 0; i < points; ++i) {
      double fit = 0;
      for (size_t k = 0; k < unknowns; ++k) fit += basis[i][k] * x[k];
      weight[i] *= std::fabs(fit - target[i]) + 1e-12;
      total += weight[i];
    }
    for (double& w : weight) w /= total;
  }

  // The table is what builds, so the figures are those of the printed (rounded) values.
  std::vector<std::string> text(kTaps);
  for (size_t k = 0; k < unknowns; ++k) byDistance[free[k]] = x[k];
  for (int d = 0; d <= kHalf; ++d) {
    const std::string value = Format(byDistance[d]);
    byDistance[d] = std::stod(value);
    text[kHalf - d] = text[kHalf + d] = value;
  }
  double passMin = 1e9, passMax = -1e9, stopMax = 0;
  for (int i = 0; i <= 20000; ++i) {
    const double w = kPi * i / 20000;
    const double h = Response(byDistance, w);
    if (w <= wp) {
      passMin = std::fmin(passMin, h);
      passMax = std::fmax(passMax, h);
    } else if (w >= ws) {
      stopMax = std::fmax(stopMax, std::fabs(h));
    }
  }
  double sum = 0;
  for (int j = 0; j < kTaps; ++j) sum += std::stod(text[j]);

  std::printf("// Generated by soundformat/design/decimation_taps_design.cpp; rebuild the table with\n");
  std::printf("//   build/native/soundformat/decimation_taps_design > soundformat/decimation_taps.cpp\n");
  std::printf("// 201-tap symmetric half-band low-pass, cut off at a quarter of the input rate.\n");
  std::printf("// Pass band up to %.3f of the input rate: ripple %.3f dB (gain %.5f to %.5f).\n",
              0.25 - kHalfTransition, 20 * std::log10(passMax / passMin), passMin, passMax);
  std::printf("// Stop band from %.3f of the input rate: attenuation %.2f dB.\n",
              0.25 + kHalfTransition, -20 * std::log10(stopMax));
  std::printf("// Sum of the taps (gain at 0 Hz): %.5f.\n\n", sum);
  std::printf("#include \"soundformat/decimation_taps.h\"\n\nnamespace mowik {\n\n");
  std::printf("const std::array<double, kDecimationTapCount> kDecimationTaps = {\n");
  for (int j = 0; j < kTaps; ++j) std::printf("    %s,  // h[%d]\n", text[j].c_str(), j);
  std::printf("};\n\n}  // namespace mowik\n");
  return 0;
}
