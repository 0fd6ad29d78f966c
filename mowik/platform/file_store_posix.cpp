// POSIX side of the file store: UTF-8 paths, fsync before the rename that replaces the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include "mowik/platform/file_store.h"
#include "mowik/platform/posix_path.h"

namespace mowik {
namespace {

// The folder part of a path, for flushing the rename itself.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FileRead ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  // Non-blocking, so that a FIFO at the path cannot hold the program up; it is then refused
  // as not a regular file.
  const int fd = open(NarrowPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kUnreadable;
  struct stat st {};
  FileRead result = FileRead::kRead;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes) {
    result = FileRead::kUnreadable;
  } else {
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    // The size may change under us: read what is there, never past maxBytes.
    while (true) {
      if (got == bytes.size()) {
        if (bytes.size() >= maxBytes) break;
        bytes.resize(std::min(maxBytes, bytes.size() + 4096));
      }
      const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result = FileRead::kUnreadable;
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    if (result == FileRead::kRead && got == maxBytes) {
      char extra = 0;
      if (read(fd, &extra, 1) > 0) result = FileRead::kUnreadable;
    }
  }
  close(fd);
  if (result != FileRead::kRead) bytes.clear();
  return result;
}

bool PathExists(const std::wstring& path) {
  struct stat st {};
  return stat(NarrowPath(path).c_str(), &st) == 0;
}

bool WriteTemporaryFile(const std::wstring& path, std::span<const uint8_t> bytes) {
  const std::string temporary = NarrowPath(TemporaryPathFor(path));
  // A leftover at the temporary path (a crash, or a link planted there) is removed, never
  // opened: writing through a link would overwrite whatever file it points at.
  if (unlink(temporary.c_str()) != 0 && errno != ENOENT) return false;
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  // The new file keeps the permissions of the one it replaces (where the disk has any).
  struct stat old {};
  if (stat(NarrowPath(path).c_str(), &old) == 0 && S_ISREG(old.st_mode)) (void)fchmod(fd, old.st_mode & 07777);
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  // The bytes must be on the disk before the rename makes them the file.
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (!ok) unlink(temporary.c_str());
  return ok;
}

bool CommitTemporaryFile(const std::wstring& path) {
  const std::string target = NarrowPath(path);
  const std::string temporary = NarrowPath(TemporaryPathFor(path));
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  const int dir = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

bool FolderRefusesNewFiles(const std::wstring& path) {
  struct stat st {};
  if (stat(NarrowPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const std::string temporary = NarrowPath(TemporaryPathFor(path));
  if (lstat(temporary.c_str(), &st) == 0) return false;  // something else stands there
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) {
    close(fd);
    unlink(temporary.c_str());
    return false;
  }
  return errno == EACCES || errno == EPERM;
}

bool RewriteFileInPlace(const std::wstring& path, std::span<const uint8_t> bytes) {
  const int fd = open(NarrowPath(path).c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const auto size = static_cast<off_t>(bytes.size());
  // Blocks for the whole new size first: a full disk fails here, with the old bytes intact.
  if (ok && size > st.st_size) {
    const int reserved = posix_fallocate(fd, 0, size);
    if (reserved == EINVAL || reserved == EOPNOTSUPP) ok = ftruncate(fd, size) == 0;
    else ok = reserved == 0;
  }
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  if (ok && ftruncate(fd, size) != 0) ok = false;
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  return ok;
}

}  // namespace mowik
