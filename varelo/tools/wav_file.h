#pragma once
// A 16-bit mono PCM WAV file.

#include <cstdint>
#include <string>
#include <vector>

namespace mowik {

// Writes the samples; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate);

}  // namespace mowik
