#pragma once
// The compressed form of the settings bytes: a 16-byte header, then a zlib stream.
//   offset 0  magic 0x0012F724 (bytes 24 F7 12 00)
//   offset 4  uncompressed size      offset 8  size of the zlib stream
//   offset 12 CRC-32 of the uncompressed bytes (zlib's crc32 from 0)
//   offset 16 the stream, as zlib's compress gives it at its default level
// All numbers 32-bit unsigned little-endian; bytes after the stream are ignored.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mowik {

inline constexpr uint32_t kCompressedMagic = 0x0012F724;
inline constexpr size_t kCompressedHeaderSize = 16;
// A header claiming more than this is taken as corrupt, and more is not compressed. Settings
// with a dictionary of 30,000 rows stay below it; the bound matters because every tiny entry
// of a bag costs far more memory than its bytes (a hostile 4 MiB bag of empty entries costs
// about 70 MB to load, 64 MiB cost 1.1 GB).
inline constexpr uint32_t kMaxUncompressedSize = 4u << 20;

// The compressed form of the bytes; empty for empty input or when zlib fails.
std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data);

// The bytes a compressed form holds. Bytes that are not a compressed form (shorter than 17
// bytes or without the magic) come back unchanged. The stream is inflated into room for the
// stated size × 1.01 + 12 (rounded, a half to even); the result is its first stated-size
// bytes (zeros where the stream gave fewer), checked against the CRC. A damaged form (bad
// stream, a stream longer than that room or than the bytes there are, CRC mismatch, a size
// beyond kMaxUncompressedSize) gives an empty result.
std::vector<uint8_t> DecompressBytes(std::span<const uint8_t> data);

// zlib's version text.
std::wstring ZLibVersion();

}  // namespace mowik
