#include "mowik/settings/compress_bytes.h"

#include <gtest/gtest.h>
#include <zlib.h>


namespace mowik {
namespace {

std::vector<uint8_t> Sample(size_t n) {
  std::vector<uint8_t> data(n);
  for (size_t i = 0; i < n; ++i) data[i] = static_cast<uint8_t>((i * 7) % 251 + (i / 300));
  return data;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void SetU32At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(CompressBytes, HeaderAndStreamAreExactlyZlibs) {
  const std::vector<uint8_t> data = Sample(5000);
  const std::vector<uint8_t> packed = CompressBytes(data);
  ASSERT_GT(packed.size(), 16u);
  EXPECT_EQ(std::vector<uint8_t>(packed.begin(), packed.begin() + 4), (std::vector<uint8_t>{0x24, 0xF7, 0x12, 0x00}));
  EXPECT_EQ(U32At(packed, 4), data.size());
  EXPECT_EQ(U32At(packed, 8), packed.size() - 16);
  EXPECT_EQ(U32At(packed, 12), crc32(0L, data.data(), static_cast<uInt>(data.size())));

  std::vector<uint8_t> stream(compressBound(static_cast<uLong>(data.size())));
  uLongf size = static_cast<uLongf>(stream.size());
  ASSERT_EQ(compress(stream.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
  stream.resize(size);
  EXPECT_EQ(std::vector<uint8_t>(packed.begin() + 16, packed.end()), stream);

  EXPECT_EQ(DecompressBytes(packed), data);
}

TEST(CompressBytes, IncompressibleAndTinyInputsFitTheirBuffer) {
  // Random-looking bytes grow under zlib; the output room must allow for it.
  std::vector<uint8_t> noise(70000);
  uint32_t x = 12345;
  for (auto& b : noise) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 24);
  for (const auto& data : {noise, std::vector<uint8_t>{42}, Sample(2)}) {
    const std::vector<uint8_t> packed = CompressBytes(data);
    ASSERT_FALSE(packed.empty());
    EXPECT_EQ(DecompressBytes(packed), data);
  }
  EXPECT_TRUE(CompressBytes({}).empty());
  EXPECT_TRUE(DecompressBytes({}).empty());
}

TEST(CompressBytes, UncompressedBytesPassUnchanged) {
  const std::vector<uint8_t> raw = {'M', 'W', 'P', 'B', 1, 0};
  EXPECT_EQ(DecompressBytes(raw), raw);
  // The magic alone, too short to hold a header and a stream, is not a compressed form.
  std::vector<uint8_t> shortForm = CompressBytes(Sample(100));
  shortForm.resize(16);
  EXPECT_EQ(DecompressBytes(shortForm), shortForm);
}

TEST(CompressBytes, DamagedFormsGiveNothing) {
  const std::vector<uint8_t> data = Sample(3000);
  const std::vector<uint8_t> packed = CompressBytes(data);

  auto damaged = [&](auto change) {
    std::vector<uint8_t> copy = packed;
    change(copy);
    return DecompressBytes(copy);
  };
  EXPECT_TRUE(damaged([](auto& b) { b[12] ^= 1; }).empty()) << "CRC altered";
  EXPECT_TRUE(damaged([](auto& b) { b[b.size() / 2] ^= 0x55; }).empty()) << "stream altered";
  EXPECT_TRUE(damaged([](auto& b) { b.resize(b.size() - 1); }).empty()) << "stream cut short";
  EXPECT_TRUE(damaged([&](auto& b) { SetU32At(b, 4, U32At(b, 4) + 1); }).empty()) << "size one too large";
  EXPECT_TRUE(damaged([&](auto& b) { SetU32At(b, 4, U32At(b, 4) - 1); }).empty()) << "size one too small";
  EXPECT_TRUE(damaged([](auto& b) { SetU32At(b, 8, 0xFFFFFFF0u); }).empty()) << "stream size past the end";
  EXPECT_TRUE(damaged([](auto& b) { SetU32At(b, 4, 0xFFFFFFFFu); }).empty()) << "no 4 GB allocation";
  EXPECT_TRUE(damaged([](auto& b) { SetU32At(b, 4, kMaxUncompressedSize + 1); }).empty());
  EXPECT_TRUE(damaged([](auto& b) { SetU32At(b, 4, 0); }).empty());

  // Bytes after the stream (stored files may end in one zero byte) are ignored.
  EXPECT_EQ(damaged([](auto& b) { b.push_back(0); }), data);
  EXPECT_EQ(damaged([](auto& b) { b.insert(b.end(), 100, 0xAB); }), data);
}

// A header made by hand over zlib's stream of the given bytes.
std::vector<uint8_t> FormOf(const std::vector<uint8_t>& streamed, uint32_t statedSize, uint32_t crc) {
  std::vector<uint8_t> stream(compressBound(static_cast<uLong>(streamed.size())));
  uLongf size = static_cast<uLongf>(stream.size());
  EXPECT_EQ(compress(stream.data(), &size, streamed.data(), static_cast<uLong>(streamed.size())), Z_OK);
  stream.resize(size);
  std::vector<uint8_t> form(16, 0);
  SetU32At(form, 0, kCompressedMagic);
  SetU32At(form, 4, statedSize);
  SetU32At(form, 8, static_cast<uint32_t>(size));
  SetU32At(form, 12, crc);
  for (const uint8_t b : stream) form.push_back(b);
  return form;
}

uint32_t Crc(const std::vector<uint8_t>& b) { return crc32(0L, b.data(), static_cast<uInt>(b.size())); }

TEST(CompressBytes, StatedSizeCutsOrPadsWhatTheStreamGivesAndTheCrcDecides) {
  const std::vector<uint8_t> data = Sample(1000);
  // The stream gives more than the header says, within the room (990 × 1.01 + 12 = 1012):
  // the stated bytes are the result when the CRC is theirs.
  const std::vector<uint8_t> head(data.begin(), data.begin() + 990);
  EXPECT_EQ(DecompressBytes(FormOf(data, 990, Crc(head))), head);
  EXPECT_TRUE(DecompressBytes(FormOf(data, 990, Crc(data))).empty());
  // The stream gives fewer bytes: zeros fill up to the stated size.
  std::vector<uint8_t> padded = data;
  padded.resize(1004, 0);
  EXPECT_EQ(DecompressBytes(FormOf(data, 1004, Crc(padded))), padded);
  // Beyond the margin the stream does not fit: 10 stated bytes leave room for 22.
  const std::vector<uint8_t> ten(data.begin(), data.begin() + 10);
  EXPECT_EQ(DecompressBytes(FormOf(std::vector<uint8_t>(data.begin(), data.begin() + 22), 10, Crc(ten))), ten);
  EXPECT_TRUE(DecompressBytes(FormOf(std::vector<uint8_t>(data.begin(), data.begin() + 23), 10, Crc(ten))).empty());
}

}  // namespace
}  // namespace mowik
