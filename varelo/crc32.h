#pragma once
// CRC-32 (the polynomial of zlib and PNG) over a byte range; the voice file's checksum.

#include <cstddef>
#include <cstdint>

namespace mowik {

// The CRC of size bytes at data, continuing from crc (0 to start).
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

}  // namespace mowik
