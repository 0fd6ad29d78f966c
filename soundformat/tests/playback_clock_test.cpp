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

}  // namespace
}  // namespace mowik
