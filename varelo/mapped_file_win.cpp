#include <windows.h>

#include "varelo/mapped_file.h"
#include "win32/scoped_handle.h"

namespace mowik {

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& path, size_t maxBytes, std::string& error) {
  // FILE_SHARE_DELETE too: an installer may replace the voice while a reader speaks from it.
  win32::ScopedHandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    error = "cannot open " + path;
    return nullptr;
  }
  LARGE_INTEGER size{};
  if (GetFileType(handle.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(handle.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    error = path + " is not a regular file of a sane size";
    return nullptr;
  }
  std::unique_ptr<MappedFile> file(new MappedFile);
  file->size_ = static_cast<size_t>(size.QuadPart);
  if (file->size_ == 0) return file;  // an empty file cannot be mapped, and needs not be
  HANDLE mapping = CreateFileMappingA(handle.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr);
  const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
  if (!view) {
    if (mapping) CloseHandle(mapping);
    error = "cannot read " + path;
    return nullptr;
  }
  file->mapping_ = mapping;
  file->data_ = static_cast<const uint8_t*>(view);
  return file;
}

MappedFile::~MappedFile() {
  if (data_) UnmapViewOfFile(data_);
  if (mapping_) CloseHandle(static_cast<HANDLE>(mapping_));
}

}  // namespace mowik
