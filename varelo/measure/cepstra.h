#pragma once
// Mel cepstra of 16000 Hz speech, for the measure's comparisons and its alignment of the
// speaker's fast renderings.

#include <cstdint>
#include <vector>

namespace mowik {

class Cepstra {
 public:
  static constexpr int kFft = 512, kBands = 26, kCoefficients = 12;
  static constexpr double kRate = 16000;
  Cepstra();
  // c1..c12 of the frame of length samples (at most kFft) centred at centre, band energies
  // floored at floor.
  std::vector<double> At(const std::vector<int16_t>& x, int64_t centre, int length, double floor) const;
  // Mean square of the frame.
  double Energy(const std::vector<int16_t>& x, int64_t centre, int length) const;

 private:
  std::vector<std::vector<double>> filters_;
};

// Mel-cepstral distance in dB.
double Mcd(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace mowik
