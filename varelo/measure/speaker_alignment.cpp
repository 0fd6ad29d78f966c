#include "varelo/measure/speaker_alignment.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mowik {
namespace {

constexpr int kHop = 40;     // 2.5 ms
constexpr int kFrame = 256;  // 16 ms
// Log energy counts beside the spectral shape, so closures and pauses line up too.
constexpr double kEnergyWeight = 1.0;

std::vector<std::vector<double>> Features(const std::vector<int16_t>& x, const Cepstra& cep) {
  const int64_t frames = static_cast<int64_t>(x.size()) / kHop + 1;
  double loudest = 0;
  for (int64_t f = 0; f < frames; ++f) loudest = std::max(loudest, cep.Energy(x, f * kHop, kFrame));
  const double floor = std::max(1e-3, loudest * 1e-5);
  std::vector<std::vector<double>> out;
  out.reserve(static_cast<size_t>(frames));
  for (int64_t f = 0; f < frames; ++f) {
    std::vector<double> c = cep.At(x, f * kHop, kFrame, floor);
    c.push_back(kEnergyWeight * 0.5 * std::log(std::max(cep.Energy(x, f * kHop, kFrame), floor)));
    out.push_back(std::move(c));
  }
  return out;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  double s = 0;
  for (size_t i = 0; i < a.size(); ++i) s += (a[i] - b[i]) * (a[i] - b[i]);
  return std::sqrt(s);
}

}  // namespace

std::vector<int64_t> CarryBoundaries(const std::vector<int16_t>& from, const std::vector<int16_t>& to,
                                     const std::vector<int64_t>& boundaries, const Cepstra& cep) {
  const auto a = Features(from, cep), b = Features(to, cep);
  const size_t na = a.size(), nb = b.size();
  // Cumulative cost with steps (1,1), (1,0), (0,1); step: 0 diagonal, 1 along a, 2 along b.
  std::vector<double> cost(na * nb, std::numeric_limits<double>::infinity());
  std::vector<uint8_t> step(na * nb, 0);
  for (size_t i = 0; i < na; ++i)
    for (size_t j = 0; j < nb; ++j) {
      const double d = Distance(a[i], b[j]);
      double best = i == 0 && j == 0 ? 0.0 : std::numeric_limits<double>::infinity();
      uint8_t how = 0;
      if (i > 0 && j > 0 && cost[(i - 1) * nb + j - 1] + d < best) best = cost[(i - 1) * nb + j - 1] + d, how = 0;
      if (i > 0 && cost[(i - 1) * nb + j] + d < best) best = cost[(i - 1) * nb + j] + d, how = 1;
      if (j > 0 && cost[i * nb + j - 1] + d < best) best = cost[i * nb + j - 1] + d, how = 2;
      cost[i * nb + j] = (i == 0 && j == 0 ? d : best);
      step[i * nb + j] = how;
    }
  // Each frame of from: the mean of the frames of to it is matched with.
  std::vector<double> sum(na, 0.0);
  std::vector<int> count(na, 0);
  for (size_t i = na - 1, j = nb - 1;;) {
    sum[i] += double(j), ++count[i];
    if (i == 0 && j == 0) break;
    const uint8_t how = step[i * nb + j];
    if (i == 0) --j;
    else if (j == 0) --i;
    else if (how == 0) --i, --j;
    else if (how == 1) --i;
    else --j;
  }
  const int64_t last = static_cast<int64_t>(to.size());
  std::vector<int64_t> out;
  for (const int64_t s : boundaries) {
    // Between the two frames around s, in proportion.
    const double f = std::clamp(double(s) / kHop, 0.0, double(na - 1));
    const size_t i = static_cast<size_t>(f);
    const size_t k = std::min(i + 1, na - 1);
    const double at = (sum[i] / count[i]) * (1 - (f - double(i))) + (sum[k] / count[k]) * (f - double(i));
    int64_t p = std::llround(at * kHop);
    if (!out.empty()) p = std::max(p, out.back() + kAlignmentMinGap);
    out.push_back(p);
  }
  // Back inside to, keeping the gaps.
  for (size_t k = out.size(); k-- > 0;) {
    const int64_t limit = last - kAlignmentMinGap * static_cast<int64_t>(out.size() - k);
    out[k] = std::max<int64_t>(0, std::min(out[k], k + 1 < out.size() ? out[k + 1] - kAlignmentMinGap : limit));
  }
  return out;
}

}  // namespace mowik
