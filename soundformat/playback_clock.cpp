#include "soundformat/playback_clock.h"

#include <algorithm>

namespace mowik {

void PlaybackClock::Written(size_t samples, int rate, Clock::time_point now) {
  const auto duration = rate > 0 ? std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(static_cast<double>(samples) / rate))
                                 : Clock::duration::zero();
  playedBy_ = std::max(playedBy_, now) + duration;
}

void PlaybackClock::Held(Clock::time_point from, Clock::time_point to) {
  if (to > from && playedBy_ > from) playedBy_ += to - from;
}

}  // namespace mowik
