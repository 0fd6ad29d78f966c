#include "soundformat/decimation_filter.h"

#include <algorithm>
#include <cmath>

namespace mowik {
namespace {

constexpr int kFractionBits = 44;
constexpr int64_t kOne = int64_t{1} << kFractionBits;
constexpr int64_t kLow = -32766 * kOne;
constexpr int64_t kHigh = 32767 * kOne;
constexpr uint64_t kSpan = static_cast<uint64_t>(kHigh - kLow);

// Input samples filtered per pass through the work buffer; even, so pairs never split.
constexpr size_t kChunk = 8192;

// The taps in fixed point, zero taps left out (adding zero changes neither the sum nor the
// clamp), in groups. A group whose largest possible effect on the running sum cannot take a
// sum that starts far enough inside the range out of it is added without the checks; that
// gives the same result as checking after every tap, much faster.
constexpr int kGroup = 8;

struct Plan {
  std::array<int64_t, kDecimationTapCount> tap{};
  std::array<int, kDecimationTapCount> offset{};  // j of each tap
  int count = 0;
  std::array<int64_t, kDecimationTapCount / kGroup + 1> reach{};  // per group: 32768 * sum |tap|
};

const Plan& FixedTaps() {
  static const Plan plan = [] {
    // Every tap is below 1 in size and their sizes sum to well under 16, so no partial sum
    // of 16-bit samples overflows 64 bits.
    Plan p;
    for (int j = 0; j < kDecimationTapCount; ++j) {
      const int64_t fixed = std::llround(std::ldexp(kDecimationTaps[j], kFractionBits));
      if (fixed == 0) continue;
      p.tap[p.count] = fixed;
      p.offset[p.count] = j;
      p.reach[p.count / kGroup] += 32768 * (fixed < 0 ? -fixed : fixed);
      ++p.count;
    }
    return p;
  }();
  return plan;
}

int16_t FilterOne(const Plan& plan, const int16_t* z) {
  int64_t sum = 0;
  for (int start = 0; start < plan.count; start += kGroup) {
    const int end = std::min(start + kGroup, plan.count);
    const int64_t reach = plan.reach[start / kGroup];
    if (sum >= kLow + reach && sum <= kHigh - reach) {
      int64_t part = 0;
      for (int i = start; i < end; ++i) part += plan.tap[i] * z[plan.offset[i]];
      sum += part;
      continue;
    }
    for (int i = start; i < end; ++i) {
      sum += plan.tap[i] * z[plan.offset[i]];
      // One unsigned comparison tests both ends.
      if (static_cast<uint64_t>(sum - kLow) > kSpan) sum = sum < kLow ? kLow : kHigh;
    }
  }
  return static_cast<int16_t>(sum / kOne);  // division truncates toward zero
}

}  // namespace

DecimationFilter::DecimationFilter() { Reset(); }

void DecimationFilter::Reset() { history_.fill(0); }

size_t DecimationFilter::Process(const int16_t* in, size_t count, int16_t* out) {
  const size_t pairs = count / 2;
  const Plan& plan = FixedTaps();
  work_.resize(kDecimationTapCount + std::min(pairs * 2, kChunk));
  size_t done = 0;
  while (done < pairs * 2) {
    const size_t chunk = std::min(pairs * 2 - done, kChunk);
    std::copy(history_.begin(), history_.end(), work_.begin());
    std::copy(in + done, in + done + chunk, work_.begin() + kDecimationTapCount);
    const int16_t* z = work_.data();
    for (size_t k = 0; k < chunk / 2; ++k) *out++ = FilterOne(plan, z + 2 * k);
    std::copy(work_.begin() + chunk, work_.begin() + chunk + kDecimationTapCount, history_.begin());
    done += chunk;
  }
  return pairs;
}

}  // namespace mowik
