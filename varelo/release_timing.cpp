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

double AfterBurstLength(double afterRecorded, double ratio, double pace, bool voiceless) {
  double stiffness = kAfterBurstStiffness;
  // Only shortening fades; a lengthened phone keeps its after-burst part stiff at any pace.
  if (voiceless && ratio < 1) stiffness *= std::clamp((pace - kEvenPace) / (kStiffPace - kEvenPace), 0.0, 1.0);
  return afterRecorded * (ratio + stiffness * (1 - ratio));
}

}  // namespace mowik
