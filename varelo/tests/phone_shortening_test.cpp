#include "varelo/phone_shortening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace mowik {
namespace {

double Sum(const ShortenedParts& p) { return p.inEdge + p.leftSteady + p.rightSteady + p.outEdge; }

TEST(PhoneShortening, TheSteadyPartGivesUpTimeFirstAndTheTransitionsStayWhole) {
  const Shortening shape{0.4, 0.3, 0.3};
  // Halves of 100 and 200 samples: edges 40 and 60, steady 60 and 140 (floor 60).
  for (const double length : {299.0, 250.0, 180.0, 161.0}) {
    const ShortenedParts p = Shorten(shape, 100, 200, length);
    EXPECT_DOUBLE_EQ(p.inEdge, 40) << length;
    EXPECT_DOUBLE_EQ(p.outEdge, 60) << length;
    EXPECT_NEAR(p.leftSteady / p.rightSteady, 60.0 / 140, 1e-12) << length;
    EXPECT_DOUBLE_EQ(Sum(p), length);
  }
  // Below edges + floor (160) everything shrinks evenly from that point on.
  for (const double length : {159.0, 80.0, 16.0, 1.0}) {
    const ShortenedParts p = Shorten(shape, 100, 200, length);
    EXPECT_NEAR(p.inEdge, 40 * length / 160, 1e-9) << length;
    EXPECT_NEAR(p.leftSteady + p.rightSteady, 60 * length / 160, 1e-9) << length;
    EXPECT_NEAR(Sum(p), length, 1e-9);
  }
}

TEST(PhoneShortening, LengtheningAndOtherPhonesAreEven) {
  const ShortenedParts longer = Shorten(ShorteningOf("a"), 100, 300, 800);
  EXPECT_DOUBLE_EQ(longer.inEdge + longer.leftSteady, 200);
  EXPECT_DOUBLE_EQ(Sum(longer), 800);
  for (const char* s : {"m", "n'", "l", "j", "t", "ts", "_", "unknown"}) {
    const ShortenedParts p = Shorten(ShorteningOf(s), 100, 300, 100);
    EXPECT_DOUBLE_EQ(p.inEdge + p.leftSteady, 25) << s;
    EXPECT_DOUBLE_EQ(Sum(p), 100) << s;
  }
  EXPECT_GT(ShorteningOf("a").inEdge, 0);
  EXPECT_GT(ShorteningOf("s'").inEdge, 0);
}

TEST(PhoneShortening, DegenerateInputGivesPartsThatAddUpAndAreNeverNegative) {
  for (const Shortening shape : {Shortening{}, Shortening{1, 1, 0}, Shortening{5, -2, 9}, Shortening{0, 0, 0}})
    for (const auto& [l, r, length] : {std::tuple{0.0, 0.0, 50.0}, std::tuple{0.0, 100.0, 30.0},
                                       std::tuple{100.0, 0.0, 30.0}, std::tuple{-5.0, 10.0, 7.0},
                                       std::tuple{10.0, 10.0, -3.0}, std::tuple{10.0, 10.0, 0.0}}) {
      const ShortenedParts p = Shorten(shape, l, r, length);
      for (const double part : {p.inEdge, p.leftSteady, p.rightSteady, p.outEdge}) EXPECT_GE(part, 0);
      EXPECT_NEAR(Sum(p), std::max(0.0, length), 1e-9);
    }
}

}  // namespace
}  // namespace mowik
