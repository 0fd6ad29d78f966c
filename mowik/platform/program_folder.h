#pragma once
// The program's folder, where the settings file lives. The settings store asks through this
// interface, so that tests and tools can name a folder of their own.

#include <string>
#include <utility>

namespace mowik {

// The separator the platform puts between a folder and a name.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

class ProgramFolder {
 public:
  virtual ~ProgramFolder() = default;
  // The folder's path, without a trailing separator (except for a root such as "/").
  virtual std::wstring Path() const = 0;
};

// The folder that holds the running executable.
class ExecutableFolder final : public ProgramFolder {
 public:
  std::wstring Path() const override;
};

// A folder the caller names.
class FixedFolder final : public ProgramFolder {
 public:
  explicit FixedFolder(std::wstring path) : path_(std::move(path)) {}
  std::wstring Path() const override { return path_; }

 private:
  std::wstring path_;
};

// The file of that name in the folder: the folder, one separator, the name; the bare name
// (the current folder) when the folder is empty.
std::wstring FileInFolder(const std::wstring& folder, const std::wstring& name);

}  // namespace mowik
