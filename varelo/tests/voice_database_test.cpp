#include "varelo/voice_database.h"

#include <gtest/gtest.h>

#include "varelo/crc32.h"
#include "testing/test_voice.h"

namespace mowik {
namespace {

// Rewrites the checksum, so that a test reaches the structure checks behind it.
void Reseal(std::vector<uint8_t>& bytes) {
  const uint32_t crc = Crc32(bytes.data(), bytes.size() - 4);
  for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(Crc32, KnownValue) {
  const std::string text = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0xCBF43926u);
  // In pieces, as a stream.
  const uint32_t first = Crc32(reinterpret_cast<const uint8_t*>(text.data()), 5);
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(text.data()) + 5, 4, first), 0xCBF43926u);
}

TEST(VoiceDatabase, RoundTripsThroughItsFileForm) {
  const VoiceDatabase v = testing::MakeTestVoice();
  const std::vector<uint8_t> bytes = SerializeVoice(v);
  VoiceDatabase back;
  std::string error;
  ASSERT_TRUE(ParseVoice(bytes, back, error)) << error;
  EXPECT_EQ(back.symbols, v.symbols);
  EXPECT_EQ(back.info, v.info);
  EXPECT_EQ(back.samples, v.samples);
  EXPECT_EQ(back.marks, v.marks);
  ASSERT_EQ(back.diphones.size(), v.diphones.size());
  EXPECT_EQ(SerializeVoice(back), bytes);
  const Diphone* d = back.Find(back.SymbolIndex("a"), back.SymbolIndex("s"));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(back.symbols[d->left], "a");
  EXPECT_EQ(back.symbols[d->right], "s");
  EXPECT_EQ(back.Find(back.SilenceIndex(), back.SilenceIndex()), nullptr);
  EXPECT_EQ(back.Find(-1, 0), nullptr);
  EXPECT_EQ(back.Find(0, 99), nullptr);
}

TEST(VoiceDatabase, RefusesEveryTruncationAndDamagedByte) {
  const std::vector<uint8_t> bytes = SerializeVoice(testing::MakeTestVoice());
  VoiceDatabase v;
  std::string error;
  for (size_t size = 0; size < bytes.size(); size += 1 + size / 7) {
    EXPECT_FALSE(ParseVoice(std::span(bytes).first(size), v, error)) << size;
    EXPECT_FALSE(error.empty());
  }
  for (size_t at = 0; at < bytes.size(); at += at < 64 ? 1 : bytes.size() / 64) {
    std::vector<uint8_t> damaged = bytes;
    damaged[at] ^= 0x10;
    EXPECT_FALSE(ParseVoice(damaged, v, error)) << at;
  }
  std::vector<uint8_t> foreign(bytes.size(), 'x');
  EXPECT_FALSE(ParseVoice(foreign, v, error));
  EXPECT_NE(error.find("magic"), std::string::npos);
}

TEST(VoiceDatabase, RefusesInconsistentStructureEvenWithAGoodChecksum) {
  const std::vector<uint8_t> good = SerializeVoice(testing::MakeTestVoice());
  VoiceDatabase v;
  std::string error;
  auto refused = [&](size_t at, uint32_t value, const char* expected) {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, at, value);
    Reseal(bytes);
    EXPECT_FALSE(ParseVoice(bytes, v, error)) << at;
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  };
  refused(8, kVoiceVersion + 1, "version");
  refused(12, 100, "rate");
  refused(20, 0x7FFFFFFF, "counts");  // symbols
  refused(32, 7, "size");             // marks count no longer matches the bytes
  // The first diphone follows the header and the symbol and info texts.
  size_t at = 40;
  for (const std::string& s : testing::MakeTestVoice().symbols) at += 1 + s.size();
  for (const std::string& s : testing::MakeTestVoice().info) at += 2 + s.size();
  refused(at, 0x00630063, "unknown symbol");        // left, right
  refused(at + 8, 0xFFFFFF00, "outside the file");  // sample count
  refused(at + 12, 100000, "out of order");         // start beyond boundary
  refused(at + 32, 0x00010001, "side by side");  // the second diphone claims to be a a
}

TEST(VoiceDatabase, TakesOfAPairComeBackSlowestFirstAndFindGivesTheFirst) {
  const std::vector<uint8_t> bytes = SerializeVoice(testing::MakeTestVoice(2));
  VoiceDatabase v;
  std::string error;
  ASSERT_TRUE(ParseVoice(bytes, v, error)) << error;
  const int a = v.SymbolIndex("a"), s = v.SymbolIndex("s");
  const std::span<const Diphone> takes = v.Takes(a, s);
  ASSERT_EQ(takes.size(), 2u);
  EXPECT_EQ(&takes[0], v.Find(a, s));
  EXPECT_EQ(takes[0].end - takes[0].start, 2 * (takes[1].end - takes[1].start));
  for (const Diphone& d : takes) EXPECT_TRUE(d.left == a && d.right == s);
  EXPECT_TRUE(v.Takes(v.SilenceIndex(), v.SilenceIndex()).empty());
  EXPECT_TRUE(v.Takes(-1, 0).empty());
  EXPECT_EQ(testing::MakeTestVoice(1).Takes(a, s).size(), 1u);
}

TEST(VoiceDatabase, VersionOneLoadsWithOneTakeAPairAndNoMore) {
  VoiceDatabase v;
  std::string error;
  std::vector<uint8_t> one = SerializeVoice(testing::MakeTestVoice(1), 2);
  Put32(one, 8, 1);
  Reseal(one);
  EXPECT_TRUE(ParseVoice(one, v, error)) << error;
  std::vector<uint8_t> two = SerializeVoice(testing::MakeTestVoice(2), 2);
  Put32(two, 8, 1);
  Reseal(two);
  EXPECT_FALSE(ParseVoice(two, v, error));
  // Version 2 allows two takes, not three.
  EXPECT_FALSE(ParseVoice(SerializeVoice(testing::MakeTestVoice(3)), v, error));
  EXPECT_FALSE(error.empty());
}

TEST(VoiceDatabase, LoadingAMissingFileSaysSo) {
  VoiceDatabase v;
  std::string error;
  EXPECT_FALSE(LoadVoiceFile("/nonexistent/voice", v, error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace mowik
