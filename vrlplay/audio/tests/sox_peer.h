#pragma once
// Runs the sox tools, the independent reader and encoder that the sound files and G.711 bytes
// are checked against. Native builds only.
#include <cstdint>
#include <string>
#include <vector>

#include "vrlplay/audio/tests/scratch_file.h"

namespace mowik::testing {

// Runs a shell command; returns its standard output, and its exit status through status.
std::string RunCommand(const std::string& command, int* status = nullptr);

// soxi's one-line answer for option (-r rate, -c channels, -e encoding, -s samples, -b bits)
// about the file, without the line end. Warnings about the file come with it.
std::string Soxi(const std::string& option, const std::string& path);

void WriteBytes(const std::string& path, const void* data, size_t size);

}  // namespace mowik::testing
