#include "varelo/release_timing.h"

#include <algorithm>
#include <iterator>

namespace mowik {
namespace {

// q is spoken as k.
constexpr std::string_view kVoiceless[] = {"p", "t", "k", "q", "ts", "tS", "ts'"};

}  // namespace

bool IsVoicelessRelease(std::string_view symbol) {
  return std::find(std::begin(kVoiceless), std::end(kVoiceless), symbol) != std::end(kVoiceless);
}

double PaceFade(double pace) { return std::clamp((pace - kEvenPace) / (kStiffPace - kEvenPace), 0.0, 1.0); }

double AfterBurstLength(double afterRecorded, double ratio, double stiffness) {
  const double s = kAfterBurstStiffness * (ratio < 1 ? std::clamp(stiffness, 0.0, 1.0) : 1.0);
  return afterRecorded * (ratio + s * (1 - ratio));
}

double CopiedTransientMs(double pace) {
  const double fade = std::clamp((pace - kBurstOnlyPace) / (kEvenPace - kBurstOnlyPace), 0.0, 1.0);
  return kBurstOnlyMs + (kTransientMs - kBurstOnlyMs) * fade;
}

}  // namespace mowik
