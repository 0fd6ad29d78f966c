#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "varelo/mapped_file.h"

namespace mowik {

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& path, size_t maxBytes, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot open " + path;
    return nullptr;
  }
  struct stat info {};
  std::unique_ptr<MappedFile> file(new MappedFile);
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<unsigned long long>(info.st_size) > maxBytes) {
    ::close(fd);
    error = path + " is not a regular file of a sane size";
    return nullptr;
  }
  file->size_ = static_cast<size_t>(info.st_size);
  if (file->size_ > 0) {
    void* at = mmap(nullptr, file->size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (at == MAP_FAILED) {
      ::close(fd);
      error = "cannot read " + path;
      return nullptr;
    }
    file->data_ = static_cast<const uint8_t*>(at);
  }
  ::close(fd);  // the mapping keeps the file
  return file;
}

MappedFile::~MappedFile() {
  if (data_) munmap(const_cast<uint8_t*>(data_), size_);
}

}  // namespace mowik
