#include "soundformat/sound_file_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "testing/scratch_file.h"

namespace mowik {
namespace {

using testing::Be32;
using testing::Le16;
using testing::Le32;
using testing::ReadBytes;
using testing::ScratchPath;
using testing::Text;

struct Written {
  std::vector<uint8_t> bytes;
  bool closed = false;
};

template <typename Sample>
Written WriteFile(SoundFileType type, int rate, int bits, int tag, const std::vector<Sample>& samples) {
  const std::string path = ScratchPath(".snd");
  Written result;
  {
    SoundFileWriter writer;
    EXPECT_TRUE(writer.Create(path, type));
    EXPECT_TRUE(writer.SetFormat(rate, bits, 1, tag));
    if (!samples.empty()) {
      EXPECT_EQ(writer.Write(samples.data(), sizeof(Sample), static_cast<long>(samples.size())),
                static_cast<long>(samples.size()));
    }
    result.closed = writer.Close();
  }
  result.bytes = ReadBytes(path);
  std::remove(path.c_str());
  return result;
}

TEST(SoundFileWriter, WavePcmHeaderCarriesTheSizesAfterClose) {
  const std::vector<int16_t> samples = {1, -2, 0x1234, -32768, 32767};
  const Written file = WriteFile(SoundFileType::kWave, 16000, 16, 1, samples);
  ASSERT_TRUE(file.closed);
  const auto& b = file.bytes;
  ASSERT_EQ(b.size(), 44u + 10);
  EXPECT_EQ(Le32(b, 4), b.size() - 8);
  EXPECT_EQ(Le32(b, 28), 32000u);  // bytes per second
  EXPECT_EQ(Le32(b, 40), 10u);
  EXPECT_EQ(Le16(b, 44 + 4), 0x1234u) << "little-endian samples";
  EXPECT_EQ(Le16(b, 44 + 6), 0x8000u);
}

TEST(SoundFileWriter, WaveALawHasFactChunkAndPadsAnOddDataChunk) {
  const std::vector<uint8_t> bytes = {0xD5, 0x55, 0x2A};
  const Written file = WriteFile(SoundFileType::kWave, 8000, 8, 6, bytes);
  const auto& b = file.bytes;
  ASSERT_EQ(b.size(), 58u + 3 + 1);
  EXPECT_EQ(Le32(b, 4), b.size() - 8) << "the RIFF size counts the pad byte";
  EXPECT_EQ(Le32(b, 16), 18u);
  EXPECT_EQ(Le16(b, 20), 6u);
  EXPECT_EQ(Le32(b, 28), 8000u);
  EXPECT_EQ(Le16(b, 32), 1u);
  EXPECT_EQ(Le16(b, 34), 8u);
  EXPECT_EQ(Text(b, 38), "fact");
  EXPECT_EQ(Le32(b, 46), 3u) << "samples in the fact chunk";
  EXPECT_EQ(Text(b, 50), "data");
  EXPECT_EQ(Le32(b, 54), 3u) << "the data size leaves the pad byte out";
  EXPECT_EQ(b[58 + 2], 0x2A);
  EXPECT_EQ(b.back(), 0);
}

TEST(SoundFileWriter, SunAuIsBigEndianWithTheEncodingOfTheTag) {
  const std::vector<int16_t> samples = {0x1234, -1};
  const Written linear = WriteFile(SoundFileType::kSunAu, 22050, 16, 1, samples);
  const auto& b = linear.bytes;
  ASSERT_EQ(b.size(), 32u + 4);
  EXPECT_EQ(Text(b, 0), ".snd");
  EXPECT_EQ(Be32(b, 4), 32u);
  EXPECT_EQ(Be32(b, 8), 4u);
  EXPECT_EQ(Be32(b, 12), 3u);  // 16-bit linear
  EXPECT_EQ(Be32(b, 16), 22050u);
  EXPECT_EQ(Be32(b, 20), 1u);
  EXPECT_EQ(Be32(b, 24), 0u) << "empty annotation";
  EXPECT_EQ(b[32], 0x12);
  EXPECT_EQ(b[33], 0x34);
  EXPECT_EQ(b[34], 0xFF);

  const std::vector<uint8_t> bytes = {1, 2, 3};
  EXPECT_EQ(Be32(WriteFile(SoundFileType::kSunAu, 8000, 8, 6, bytes).bytes, 12), 27u);  // A-law
  EXPECT_EQ(Be32(WriteFile(SoundFileType::kSunAu, 8000, 8, 7, bytes).bytes, 12), 1u);  // mu-law
}

TEST(SoundFileWriter, RawIsTheLittleEndianSamplesAlone) {
  const Written file = WriteFile(SoundFileType::kRaw, 16000, 16, 1, std::vector<int16_t>{0x0102, -2});
  EXPECT_EQ(file.bytes, (std::vector<uint8_t>{0x02, 0x01, 0xFE, 0xFF}));
}

TEST(SoundFileWriter, ClosedWithoutSamplesIsAnEmptyButWholeFile) {
  const Written wave = WriteFile(SoundFileType::kWave, 16000, 16, 1, std::vector<int16_t>{});
  ASSERT_EQ(wave.bytes.size(), 44u);
  EXPECT_EQ(Le32(wave.bytes, 40), 0u);
  const Written au = WriteFile(SoundFileType::kSunAu, 16000, 16, 1, std::vector<int16_t>{});
  ASSERT_EQ(au.bytes.size(), 32u);
  EXPECT_EQ(Be32(au.bytes, 8), 0u);
}

TEST(SoundFileWriter, RefusesWhatItCannotWrite) {
  SoundFileWriter writer;
  EXPECT_FALSE(writer.SetFormat(16000, 16, 1, 1)) << "no file yet";
  EXPECT_FALSE(writer.Create(ScratchPath("-missing") + "/sub/x.wav", SoundFileType::kWave));
  EXPECT_FALSE(writer.Create("", SoundFileType::kWave));

  const std::string path = ScratchPath(".wav");
  ASSERT_TRUE(writer.Create(path, SoundFileType::kWave));
  EXPECT_FALSE(writer.Create(path, SoundFileType::kWave)) << "already open";
  const int16_t samples[4] = {1, 2, 3, 4};
  EXPECT_EQ(writer.Write(samples, 2, 4), -1) << "no format yet";
  EXPECT_FALSE(writer.SetFormat(16000, 8, 1, 1)) << "8-bit PCM";
  EXPECT_FALSE(writer.SetFormat(8000, 16, 1, 6)) << "16-bit A-law";
  EXPECT_FALSE(writer.SetFormat(8000, 8, 1, 2)) << "an unknown tag";
  EXPECT_FALSE(writer.SetFormat(0, 16, 1, 1));
  EXPECT_FALSE(writer.SetFormat(-8000, 16, 1, 1));
  EXPECT_FALSE(writer.SetFormat(16000, 16, 0, 1));
  EXPECT_FALSE(writer.SetFormat(16000, 16, 3, 1));

  ASSERT_TRUE(writer.SetFormat(8000, 8, 1, 7));
  ASSERT_TRUE(writer.SetFormat(16000, 16, 1, 1)) << "the format may change until samples come";
  EXPECT_EQ(writer.Write(samples, 1, 4), -1) << "bytes per sample must match the format";
  EXPECT_EQ(writer.Write(nullptr, 2, 4), -1);
  EXPECT_EQ(writer.Write(samples, 2, -1), -1);
  EXPECT_EQ(writer.Write(samples, 2, 4), 4);
  EXPECT_FALSE(writer.SetFormat(8000, 8, 1, 6)) << "the header is settled";
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(writer.Write(samples, 2, 4), -1) << "closed";

  const auto b = ReadBytes(path);
  ASSERT_EQ(b.size(), 44u + 8) << "the earlier 8-bit format left nothing behind";
  EXPECT_EQ(Le16(b, 20), 1u);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace mowik
