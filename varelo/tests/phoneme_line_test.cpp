#include "varelo/phoneme_line.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

using Kind = PhonemeLine::Kind;

TEST(PhonemeLine, ReadsSymbolDurationAndTargets) {
  const PhonemeLine p = ParsePhonemeLine("a\t70 0 175  50 180.5\r\n", false);
  ASSERT_EQ(p.kind, Kind::kPhoneme) << p.error;
  EXPECT_EQ(p.symbol, "a");
  EXPECT_EQ(p.durationMs, 70);
  ASSERT_EQ(p.targets.size(), 2u);
  EXPECT_EQ(p.targets[1].percent, 50);
  EXPECT_EQ(p.targets[1].hz, 180.5);
  // Symbols are whatever the first field holds; the voice decides whether it knows them.
  EXPECT_EQ(ParsePhonemeLine("ts' 70", false).symbol, "ts'");
  EXPECT_TRUE(ParsePhonemeLine("_ 200 0 160", false).targets.size() == 1);
}

TEST(PhonemeLine, BlankLinesCommentsAndTheLoneCarriageReturnAreNothing) {
  for (const char* line : {"", "\r", "\r\n", " \t \r", "; a comment", "  ;x 70", ";;", ";; G = 2",
                           ";; F", ";; F 2"})
    EXPECT_EQ(ParsePhonemeLine(line, false).kind, Kind::kNothing) << line;
}

TEST(PhonemeLine, RatioLinesAsThePlayerWritesThem) {
  const PhonemeLine f = ParsePhonemeLine(";; F =  1.500\n", false);
  EXPECT_EQ(f.kind, Kind::kPitchRatio);
  EXPECT_EQ(f.ratio, 1.5);
  const PhonemeLine t = ParsePhonemeLine(";;T=0.8", false);
  EXPECT_EQ(t.kind, Kind::kDurationRatio);
  EXPECT_DOUBLE_EQ(t.ratio, 0.8);
  // Written under a locale with a decimal comma.
  EXPECT_EQ(ParsePhonemeLine(";; F =  1,250", false).ratio, 1.25);
}

TEST(PhonemeLine, StrictModeRefusesMalformedAndAbsurdValues) {
  for (const char* line : {"a", "a x", "a 70x", "a -1", "a 60001", "a 70 0", "a 70 0 0",
                           "a 70 0 -100", "a 70 101 100", "a 70 -1 100", "a 70 0 1e9", "a nan",
                           "a inf", "a 70 0 100 50", ";; F = 0", ";; T = -1", ";; F = abc",
                           ";; T = 1 2"}) {
    const PhonemeLine p = ParsePhonemeLine(line, false);
    EXPECT_EQ(p.kind, Kind::kError) << line;
    EXPECT_FALSE(p.error.empty()) << line;
  }
  EXPECT_EQ(ParsePhonemeLine(std::string(5000, 'a'), false).kind, Kind::kError);
}

TEST(PhonemeLine, LenientModeClampsInstead) {
  PhonemeLine p = ParsePhonemeLine("a -5 150 0 50 9000 60", true);
  ASSERT_EQ(p.kind, Kind::kPhoneme);
  EXPECT_EQ(p.durationMs, 0);
  ASSERT_EQ(p.targets.size(), 2u);  // the dangling 60 is dropped
  EXPECT_EQ(p.targets[0].percent, 100);
  EXPECT_EQ(p.targets[0].hz, kMinPitchHz);
  EXPECT_EQ(p.targets[1].hz, kMaxPitchHz);
  EXPECT_EQ(ParsePhonemeLine("a 99999", true).durationMs, kMaxDurationMs);
  EXPECT_EQ(ParsePhonemeLine("a", true).durationMs, 0);
  EXPECT_EQ(ParsePhonemeLine(";; F = 100", true).ratio, kMaxRatio);
  EXPECT_EQ(ParsePhonemeLine(";; F = x", true).kind, Kind::kNothing);
  std::string many = "a 70";
  for (int i = 0; i < 100; ++i) many += " 1 100";
  EXPECT_EQ(ParsePhonemeLine(many, true).targets.size(), kMaxTargets);
  EXPECT_EQ(ParsePhonemeLine(many, false).kind, Kind::kError);
}

TEST(PhonemeLine, DecimalNumbers) {
  double v = 0;
  EXPECT_TRUE(ParseDecimal("12", v) && v == 12);
  EXPECT_TRUE(ParseDecimal("-1.5", v) && v == -1.5);
  EXPECT_TRUE(ParseDecimal("+.5", v) && v == 0.5);
  EXPECT_TRUE(ParseDecimal("7.", v) && v == 7);
  EXPECT_TRUE(ParseDecimal("2e3", v) && v == 2000);
  for (const char* bad : {"", "-", ".", "1..2", "1e", "0x10", "1 2", "nan", "inf", "1e99999",
                          "12abc"})
    EXPECT_FALSE(ParseDecimal(bad, v)) << bad;
}

}  // namespace
}  // namespace mowik
