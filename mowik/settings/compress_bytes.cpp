#include "mowik/settings/compress_bytes.h"

#include <zlib.h>

#include <cmath>
#include <limits>

namespace mowik {
namespace {

void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t Crc32(std::span<const uint8_t> data) {
  return static_cast<uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

}  // namespace

std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data) {
  // The header's sizes are 32-bit, and zlib's length type is 32-bit on Windows.
  if (data.empty() || data.size() > kMaxUncompressedSize) return {};
  // compressBound is the room zlib may need; the stream itself does not depend on the room.
  const uLong capacity = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(kCompressedHeaderSize + capacity);
  uLongf streamSize = capacity;
  if (compress(out.data() + kCompressedHeaderSize, &streamSize, data.data(), static_cast<uLong>(data.size())) !=
      Z_OK)
    return {};
  PutU32(out.data(), kCompressedMagic);
  PutU32(out.data() + 4, static_cast<uint32_t>(data.size()));
  PutU32(out.data() + 8, static_cast<uint32_t>(streamSize));
  PutU32(out.data() + 12, Crc32(data));
  out.resize(kCompressedHeaderSize + streamSize);
  return out;
}

std::vector<uint8_t> DecompressBytes(std::span<const uint8_t> data) {
  if (data.empty()) return {};
  if (data.size() <= kCompressedHeaderSize || GetU32(data.data()) != kCompressedMagic)
    return std::vector<uint8_t>(data.begin(), data.end());
  const uint32_t size = GetU32(data.data() + 4);
  const uint32_t streamSize = GetU32(data.data() + 8);
  const uint32_t crc = GetU32(data.data() + 12);
  if (size > kMaxUncompressedSize || streamSize > data.size() - kCompressedHeaderSize) return {};
  // Room for the stated size and a margin; what the stream gives is then cut or padded with
  // zeros to the stated size, and the CRC decides whether those bytes are the settings.
  const uLongf capacity = static_cast<uLongf>(std::nearbyint(size * 1.01 + 12));
  std::vector<uint8_t> out(static_cast<size_t>(capacity) + 1);
  uLongf produced = capacity;
  if (uncompress(out.data(), &produced, data.data() + kCompressedHeaderSize, streamSize) != Z_OK) return {};
  out.resize(size);
  if (Crc32(out) != crc) return {};
  return out;
}

std::wstring ZLibVersion() {
  const char* version = zlibVersion();
  return version ? std::wstring(version, version + std::char_traits<char>::length(version)) : std::wstring();
}

}  // namespace mowik
