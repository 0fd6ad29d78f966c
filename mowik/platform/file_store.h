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

// Rewrites the existing regular file at path with the bytes, in place, for a folder where the
// file may be changed but no file added (a per-machine install lets users change their
// settings file only). The file is first grown to its final size, so a full disk fails before
// any old byte is touched; a crash during the write itself can still leave a mix. False when
// there is no such file (nothing is created) or a step fails.
bool RewriteFileInPlace(const std::wstring& path, std::span<const uint8_t> bytes);

// True when no file may be created beside path (the folder refuses it: permissions, an
// immutable folder) while nothing is at the temporary path and path itself is a file.
bool FolderRefusesNewFiles(const std::wstring& path);

// Both steps: the file at path is replaced by the bytes, or stays as it was. Where the folder
// refuses the temporary file, an existing file is rewritten in place instead.
bool ReplaceFileContents(const std::wstring& path, std::span<const uint8_t> bytes);

}  // namespace mowik
