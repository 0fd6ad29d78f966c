#include "varelo/crc32.h"

#include <array>

namespace mowik {
namespace {

// Four tables, so the loop takes four bytes a step: the voice file is several megabytes.
using Tables = std::array<std::array<uint32_t, 256>, 4>;

constexpr Tables MakeTables() {
  Tables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (uint32_t i = 0; i < 256; ++i)
    for (int k = 1; k < 4; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
  uint32_t c = ~crc;
  while (size >= 4) {
    c ^= static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
         static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    c = kTables[3][c & 0xFF] ^ kTables[2][(c >> 8) & 0xFF] ^ kTables[1][(c >> 16) & 0xFF] ^
        kTables[0][c >> 24];
    data += 4;
    size -= 4;
  }
  while (size-- > 0) c = kTables[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
  return ~c;
}

}  // namespace mowik
