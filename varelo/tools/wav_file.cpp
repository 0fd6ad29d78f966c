#include "varelo/tools/wav_file.h"

#include <cstdio>

namespace mowik {
namespace {

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate) {
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> h;
  for (char c : std::string("RIFF")) h.push_back(static_cast<uint8_t>(c));
  Put(h, 36 + data, 4);
  for (char c : std::string("WAVEfmt ")) h.push_back(static_cast<uint8_t>(c));
  Put(h, 16, 4);
  Put(h, 1, 2);         // PCM
  Put(h, 1, 2);         // mono
  Put(h, rate, 4);
  Put(h, rate * 2, 4);  // bytes a second
  Put(h, 2, 2);         // block align
  Put(h, 16, 2);        // bits
  for (char c : std::string("data")) h.push_back(static_cast<uint8_t>(c));
  Put(h, data, 4);
  for (int16_t s : samples) Put(h, static_cast<uint16_t>(s), 2);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(h.data(), 1, h.size(), f) == h.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace mowik
