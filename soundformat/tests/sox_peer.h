#pragma once
// Runs sox, the independent encoder that the G.711 bytes are checked against. Native builds
// only.
#include <cstdint>
#include <string>
#include <vector>

#include "testing/scratch_file.h"

namespace mowik::testing {

// Runs a shell command; returns its standard output, and its exit status through status.
std::string RunCommand(const std::string& command, int* status = nullptr);

void WriteBytes(const std::string& path, const void* data, size_t size);

}  // namespace mowik::testing
