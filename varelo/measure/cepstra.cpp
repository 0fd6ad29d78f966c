#include "varelo/measure/cepstra.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace mowik {
namespace {

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double angle = -2 * std::numbers::pi / double(len);
    const std::complex<double> wl(std::cos(angle), std::sin(angle));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

}  // namespace

Cepstra::Cepstra() {
  auto mel = [](double f) { return 2595 * std::log10(1 + f / 700); };
  auto hz = [](double m) { return 700 * (std::pow(10, m / 2595) - 1); };
  std::vector<double> edges;
  for (int i = 0; i <= kBands + 1; ++i) edges.push_back(hz(mel(kRate / 2) * i / (kBands + 1)) * kFft / kRate);
  filters_.assign(kBands, std::vector<double>(kFft / 2 + 1, 0.0));
  for (int b = 0; b < kBands; ++b)
    for (int k = 0; k <= kFft / 2; ++k) {
      const double up = (k - edges[b]) / (edges[b + 1] - edges[b]);
      const double down = (edges[b + 2] - k) / (edges[b + 2] - edges[b + 1]);
      filters_[b][k] = std::max(0.0, std::min(up, down));
    }
}

std::vector<double> Cepstra::At(const std::vector<int16_t>& x, int64_t centre, int length, double floor) const {
  std::vector<std::complex<double>> buf(kFft);
  for (int i = 0; i < length && i < kFft; ++i) {
    const int64_t n = centre - length / 2 + i;
    const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (i + 0.5) / length);
    buf[i] = n >= 0 && n < static_cast<int64_t>(x.size()) ? w * x[n] : 0.0;
  }
  Fft(buf);
  std::vector<double> logs(kBands);
  for (int b = 0; b < kBands; ++b) {
    double e = 0;
    for (int k = 0; k <= kFft / 2; ++k) e += filters_[b][k] * std::norm(buf[k]) / length;
    logs[b] = 0.5 * std::log(std::max(e, floor));  // log amplitude, as MCD is usually given
  }
  std::vector<double> c(kCoefficients);
  for (int q = 1; q <= kCoefficients; ++q) {
    double s = 0;
    for (int b = 0; b < kBands; ++b) s += logs[b] * std::cos(std::numbers::pi * q * (b + 0.5) / kBands);
    c[q - 1] = s * std::sqrt(2.0 / kBands);
  }
  return c;
}

double Cepstra::Energy(const std::vector<int16_t>& x, int64_t centre, int length) const {
  double e = 0;
  for (int i = 0; i < length; ++i) {
    const int64_t n = centre - length / 2 + i;
    if (n >= 0 && n < static_cast<int64_t>(x.size())) e += double(x[n]) * x[n];
  }
  return e / length;
}

double Mcd(const std::vector<double>& a, const std::vector<double>& b) {
  double s = 0;
  for (size_t i = 0; i < a.size(); ++i) s += (a[i] - b[i]) * (a[i] - b[i]);
  return 10 / std::log(10.0) * std::sqrt(2 * s);
}

}  // namespace mowik
