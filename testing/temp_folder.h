#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the
// end of the test.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "mowik/platform/program_folder.h"

#ifndef _WIN32
#include "mowik/platform/posix_path.h"
#endif

namespace mowik {

// A filesystem path from the program's wide text, converted as the product converts it.
inline std::filesystem::path FsPath(const std::wstring& path) {
#ifdef _WIN32
  return std::filesystem::path(path);
#else
  return std::filesystem::path(NarrowPath(path));
#endif
}

inline bool Exists(const std::wstring& path) { return std::filesystem::exists(FsPath(path)); }

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("mowik-settings-" + std::to_string(stamp) + "-" + std::to_string(std::random_device{}()) + "-" +
             std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::wstring Path() const { return path_.wstring(); }
  std::wstring File(const std::wstring& name) const { return Path() + kPathSeparator + name; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace mowik
