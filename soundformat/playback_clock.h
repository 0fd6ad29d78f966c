#pragma once
#include <chrono>
#include <cstddef>

namespace mowik {

// Keeps the time by which a sound device, playing in real time, will have played everything
// written to it: each write starts playing when the device is done with the earlier ones or,
// when it had run dry, at the moment of the write.
class PlaybackClock {
 public:
  using Clock = std::chrono::steady_clock;

  explicit PlaybackClock(Clock::time_point start = Clock::now()) : playedBy_(start) {}

  // samples at rate per second were handed to the device at now. A rate below 1 counts no time.
  void Written(size_t samples, int rate, Clock::time_point now = Clock::now());

  // The device was held (paused) from from to to: what it had still to play then plays that
  // much later.
  void Held(Clock::time_point from, Clock::time_point to);

  Clock::time_point PlayedBy() const { return playedBy_; }

 private:
  Clock::time_point playedBy_;
};

}  // namespace mowik
