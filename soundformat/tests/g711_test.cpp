#include "soundformat/g711.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(G711, ALawKnownCodes) {
  EXPECT_EQ(LinearToALaw(0), 0xD5);
  EXPECT_EQ(LinearToALaw(3), 0xD5) << "rounds down below half a step";
  EXPECT_EQ(LinearToALaw(-4), 0xD5) << "half a step rounds up, to zero";
  EXPECT_EQ(LinearToALaw(-5), 0x55) << "the first negative step";
  EXPECT_EQ(LinearToALaw(16), 0xD4);
  EXPECT_EQ(LinearToALaw(1024), 0xE5) << "segment 3 starts at 128 steps";
  EXPECT_EQ(LinearToALaw(32767), 0xAA);
  EXPECT_EQ(LinearToALaw(32764), 0xAA) << "clipped at the top instead of wrapping";
  EXPECT_EQ(LinearToALaw(-32768), 0x2A);
}

TEST(G711, MuLawKnownCodes) {
  EXPECT_EQ(LinearToMuLaw(0), 0xFF);
  EXPECT_EQ(LinearToMuLaw(-1), 0xFF) << "rounds to zero, not to the first negative step";
  EXPECT_EQ(LinearToMuLaw(-3), 0x7E);
  EXPECT_EQ(LinearToMuLaw(8), 0xFE);
  EXPECT_EQ(LinearToMuLaw(1000), 0xCE);
  EXPECT_EQ(LinearToMuLaw(32767), 0x80);
  EXPECT_EQ(LinearToMuLaw(32766), 0x80) << "clipped at the top instead of wrapping";
  EXPECT_EQ(LinearToMuLaw(-32768), 0x00);
  EXPECT_EQ(LinearToMuLaw(-32636), 0x00) << "beyond the mu-law range the largest code";
}

// Larger magnitudes never get a code for a smaller magnitude: the code's magnitude bits
// (after removing the inversion) grow with the input.
TEST(G711, CodesGrowWithTheInput) {
  int lastA = -1, lastMu = -1;
  for (int s = 0; s <= 32767; ++s) {
    const int a = LinearToALaw(static_cast<int16_t>(s)) ^ 0xD5;
    const int mu = LinearToMuLaw(static_cast<int16_t>(s)) ^ 0xFF;
    ASSERT_GE(a, lastA) << s;
    ASSERT_GE(mu, lastMu) << s;
    lastA = a;
    lastMu = mu;
  }
  EXPECT_EQ(lastA, 0x7F);
  EXPECT_EQ(lastMu, 0x7F);
}

}  // namespace
}  // namespace mowik
