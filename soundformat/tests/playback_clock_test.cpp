#include "soundformat/playback_clock.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

using namespace std::chrono_literals;

TEST(PlaybackClock, WritesQueueBehindEachOtherAndRestartWhenTheDeviceRanDry) {
  const PlaybackClock::Clock::time_point t0{};
  PlaybackClock clock(t0);
  EXPECT_EQ(clock.PlayedBy(), t0);

  clock.Written(16000, 16000, t0);  // one second
  clock.Written(8000, 16000, t0 + 100ms);  // queued behind it
  EXPECT_EQ(clock.PlayedBy(), t0 + 1500ms);

  clock.Written(1600, 16000, t0 + 3s);  // the device had run dry: starts now
  EXPECT_EQ(clock.PlayedBy(), t0 + 3100ms);

  clock.Written(1000, 0, t0 + 4s);  // no rate: no time, but not earlier than the write
  EXPECT_EQ(clock.PlayedBy(), t0 + 4s);
}

TEST(PlaybackClock, AHoldDelaysOnlyWhatWasStillToPlay) {
  const PlaybackClock::Clock::time_point t0{};
  PlaybackClock clock(t0);
  clock.Written(16000, 16000, t0);  // plays until t0 + 1 s
  clock.Held(t0 + 400ms, t0 + 2400ms);  // two seconds of pause in the middle
  EXPECT_EQ(clock.PlayedBy(), t0 + 3s);

  clock.Held(t0 + 5s, t0 + 9s);  // paused after everything had played: nothing moves
  EXPECT_EQ(clock.PlayedBy(), t0 + 3s);
  clock.Held(t0 + 2s, t0 + 1s);  // a clock that ran backwards counts no time
  EXPECT_EQ(clock.PlayedBy(), t0 + 3s);
}

}  // namespace
}  // namespace mowik
