#pragma once
// Whole-file reads and crash-safe replacement of a file: the platform edge of the settings
// store. Paths are the program's wide text (UTF-16 on Windows, UTF-8 on the disk elsewhere).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mowik {

enum class FileRead {
  kRead,        // bytes holds the whole file
  kMissing,     // nothing at the path
  kUnreadable,  // a folder, locked, no permission, an I/O error, or larger than allowed
};

// Reads the whole file into bytes (emptied first); files larger than maxBytes are unreadable.
FileRead ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<uint8_t>& bytes);

// True when something (file or folder) is at the path: its attributes can be read.
bool PathExists(const std::wstring& path);

// The temporary file that ReplaceFileContents writes first: the path with ".tmp" added, in
// the same folder, so that the final move stays on one volume.
std::wstring TemporaryPathFor(const std::wstring& path);

// Writes the bytes into the temporary file for path and flushes them to the disk. False, and
// no temporary file left behind, when that fails.
bool WriteTemporaryFile(const std::wstring& path, std::span<const uint8_t> bytes);

// Moves the temporary file over path in one step (replacing a file that is there): path
// holds either its old bytes or the new ones, never a mix. False, and the temporary file
// removed, when that fails.
bool CommitTemporaryFile(const std::wstring& path);

// Both steps: the file at path is replaced by the bytes, or stays as it was.
bool ReplaceFileContents(const std::wstring& path, std::span<const uint8_t> bytes);

}  // namespace mowik
