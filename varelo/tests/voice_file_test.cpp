// A voice file on disk: version 3 is mapped and its sample blocks checked as they are spoken;
// older versions are read whole. Damage is found where it lies, never spoken as noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "varelo/engine.h"
#include "testing/test_voice.h"
#include "varelo/voice_database.h"

namespace mowik {
namespace {

// A file of its own per case (the engine keeps the last voice it read, by name, size and time).
std::string WriteVoiceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  return testing::WriteVoiceBytes("varelo-voice-file-" + name, bytes);
}

// Offset of the first sample in a version 3 file: after the marks, on a multiple of 16.
size_t SamplesAt(const VoiceDatabase& v, const std::vector<uint8_t>& bytes) {
  const size_t tail = 4 * ((v.Samples().size() + kSampleBlock - 1) / kSampleBlock) + 8;
  return bytes.size() - tail - 2 * v.Samples().size();
}

TEST(VoiceFile, VersionThreeIsMappedAndSpeaksWhatTheWholeFileHolds) {
  const VoiceDatabase built = testing::MakeTestVoice(2);
  const std::vector<uint8_t> bytes = SerializeVoice(built);
  ASSERT_GT(built.samples.size(), 2 * kSampleBlock);  // the damage cases need several blocks
  VoiceDatabase v;
  std::string error;
  ASSERT_TRUE(LoadVoiceFile(WriteVoiceFile("v3", bytes), v, error)) << error;
  EXPECT_TRUE(v.samples.empty());  // nothing copied: the samples are the file's
  EXPECT_EQ(SamplesAt(v, bytes) % 16, 0u);
  EXPECT_TRUE(std::ranges::equal(v.Samples(), built.samples));
  EXPECT_EQ(v.marks, built.marks);
  for (const Diphone& d : v.diphones) EXPECT_TRUE(v.SamplesSound(d));
  EXPECT_EQ(SerializeVoice(v), bytes);
}

TEST(VoiceFile, OlderVersionsAreReadWhole) {
  const VoiceDatabase built = testing::MakeTestVoice(1);
  for (uint32_t version : {1u, 2u}) {
    VoiceDatabase v;
    std::string error;
    ASSERT_TRUE(LoadVoiceFile(WriteVoiceFile("v" + std::to_string(version), SerializeVoice(built, version)), v, error))
        << version << ": " << error;
    EXPECT_EQ(v.samples, built.samples);
    for (const Diphone& d : v.diphones) EXPECT_TRUE(v.SamplesSound(d));
  }
}

TEST(VoiceFile, ADamagedBlockSilencesOnlyTheDiphonesInItAndTheEngineSaysSo) {
  const VoiceDatabase built = testing::MakeTestVoice(1);
  std::vector<uint8_t> bytes = SerializeVoice(built);
  // Damage the middle of the a-o diphone; pick one lying in another block as the control.
  const int a = built.SymbolIndex("a"), o = built.SymbolIndex("o");
  const Diphone& ao = *built.Find(a, o);
  const uint32_t block = (ao.firstSample + ao.sampleCount / 2) / kSampleBlock;
  auto inBlock = [&](const Diphone& d, uint32_t b) {
    return d.firstSample / kSampleBlock <= b && (d.firstSample + d.sampleCount - 1) / kSampleBlock >= b;
  };
  // A text whose three diphones (from silence, between its phones, to silence) avoid the block.
  const int silence = built.SilenceIndex();
  const Diphone* control = nullptr;
  for (const Diphone& d : built.diphones) {
    if (control || d.left == silence || d.right == silence) continue;
    const Diphone* in = built.Find(silence, d.left);
    const Diphone* out = built.Find(d.right, silence);
    if (in && out && !inBlock(d, block) && !inBlock(*in, block) && !inBlock(*out, block)) control = &d;
  }
  ASSERT_NE(control, nullptr);
  bytes[SamplesAt(built, bytes) + 2 * (ao.firstSample + ao.sampleCount / 2)] ^= 0x40;
  const std::string path = WriteVoiceFile("damaged-block", bytes);

  VoiceDatabase v;
  std::string error;
  ASSERT_TRUE(LoadVoiceFile(path, v, error)) << error;  // only the head is read at load
  EXPECT_FALSE(v.SamplesSound(*v.Find(a, o)));
  EXPECT_FALSE(v.SamplesSound(*v.Find(a, o)));  // refused for good
  EXPECT_TRUE(v.SamplesSound(*v.Find(control->left, control->right)));
  // Read whole, the same file is refused outright.
  VoiceDatabase whole;
  EXPECT_FALSE(ParseVoice(bytes, whole, error));
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;

  Engine engine;
  ASSERT_EQ(engine.Init(path.c_str(), nullptr, nullptr, ""), kEngineOk) << engine.LastErrorText();
  const std::string cleanText =
      built.symbols[control->left] + " 100\n" + built.symbols[control->right] + " 100\n";
  const std::vector<int16_t> clean = testing::Speak(engine, cleanText);
  EXPECT_EQ(engine.LastError(), kEngineOk) << cleanText;
  EXPECT_TRUE(std::ranges::any_of(clean, [](int16_t x) { return x != 0; }));
  engine.Reset();
  testing::Speak(engine, "a 100\no 100\n");
  EXPECT_EQ(engine.LastError(), kEngineVoiceRefused);
  EXPECT_NE(engine.LastErrorText().find("damaged"), std::string::npos) << engine.LastErrorText();
}

TEST(VoiceFile, DamageOutsideTheSamplesOrATruncatedFileIsRefusedAtLoad) {
  const VoiceDatabase built = testing::MakeTestVoice(1);
  const std::vector<uint8_t> good = SerializeVoice(built);
  VoiceDatabase v;
  std::string error;
  const size_t samplesAt = SamplesAt(built, good);
  // A diphone's record, a mark, a block checksum and the head's own checksum.
  for (size_t at : {size_t{60}, samplesAt - 4, good.size() - 12, good.size() - 6}) {
    std::vector<uint8_t> bytes = good;
    bytes[at] ^= 0x01;
    EXPECT_FALSE(LoadVoiceFile(WriteVoiceFile("damaged-head", bytes), v, error)) << at;
    EXPECT_FALSE(error.empty());
  }
  for (size_t size : {size_t{0}, size_t{20}, samplesAt, good.size() - 1}) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(size));
    EXPECT_FALSE(LoadVoiceFile(WriteVoiceFile("cut", cut), v, error)) << size;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(LoadVoiceFile(std::filesystem::temp_directory_path().string(), v, error));  // a folder
}

}  // namespace
}  // namespace mowik
