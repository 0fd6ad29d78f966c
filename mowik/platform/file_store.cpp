#include "mowik/platform/file_store.h"

namespace mowik {

std::wstring TemporaryPathFor(const std::wstring& path) { return path + L".tmp"; }

bool ReplaceFileContents(const std::wstring& path, std::span<const uint8_t> bytes) {
  if (WriteTemporaryFile(path, bytes)) return CommitTemporaryFile(path);
  return FolderRefusesNewFiles(path) && RewriteFileInPlace(path, bytes);
}

}  // namespace mowik
