#pragma once
// Reading phoneme and command files.

#include <cstdint>
#include <string>

namespace mowik {

// Larger files are refused rather than read into memory.
inline constexpr int64_t kMaxStreamFileBytes = 64LL * 1024 * 1024;

// The file's text as a text-mode read gives it: CR LF read as LF, nothing from a Ctrl-Z on;
// then every line LF-ended, the last one included.
// A file that cannot be opened or read, or is larger than kMaxStreamFileBytes, throws
// CStackError -4 naming it.
std::string ReadStreamFile(const std::string& name);

}  // namespace mowik
