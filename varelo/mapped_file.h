#pragma once
// A file's bytes mapped read-only into memory: the system reads a page from disk when it is
// first touched and may drop it again, so a large file costs only the part of it in use.
// With module_folder, the one platform-dependent piece of the engine core.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace mowik {

class MappedFile {
 public:
  // Maps the file at path (an 8-bit path, as the engine's callers give it) whole. Null with a
  // sentence in error when it cannot be opened or mapped, or is larger than maxBytes.
  static std::unique_ptr<MappedFile> Open(const std::string& path, size_t maxBytes, std::string& error);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // The file's bytes, valid as long as this object; the first byte lies on a page boundary.
  std::span<const uint8_t> Bytes() const { return {data_, size_}; }

 private:
  MappedFile() = default;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;  // the Windows mapping object; unused elsewhere
};

}  // namespace mowik
