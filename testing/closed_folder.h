#pragma once
// A folder to which no file may be added while this object lives, though the files already in
// it may still be changed: the shape of a per-machine install, whose settings file alone is
// the users'. Permission bits do that for an ordinary user; they do not stop root (CI runs as
// root), so there the folder is made immutable instead (ext4 and most Linux filesystems).
// Available() is false where neither works; tests then skip.
#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace mowik {

class ClosedFolder {
 public:
  explicit ClosedFolder(const std::string& folder) : folder_(folder) {
    if (geteuid() != 0) {
      closed_ = chmod(folder_.c_str(), 0555) == 0;
      return;
    }
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags |= FS_IMMUTABLE_FL;
      closed_ = immutable_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
  }
  ~ClosedFolder() {
    if (!closed_) return;
    if (!immutable_) {
      chmod(folder_.c_str(), 0755);
      return;
    }
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_IMMUTABLE_FL;
      ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0) close(fd);
  }
  ClosedFolder(const ClosedFolder&) = delete;
  ClosedFolder& operator=(const ClosedFolder&) = delete;

  bool Available() const { return closed_; }

 private:
  std::string folder_;
  bool closed_ = false;
  bool immutable_ = false;
};

}  // namespace mowik
#endif
