// Windows side of the file store: wide paths, FlushFileBuffers before MoveFileExW replaces
// the file.
#include <windows.h>

#include <algorithm>

#include "mowik/platform/file_store.h"

namespace mowik {
namespace {

// Writes every byte at the file pointer, in pieces WriteFile takes.
bool WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(file, bytes.data() + done, want, &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}

}  // namespace

FileRead ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::kMissing
                                                                           : FileRead::kUnreadable;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileRead::kUnreadable;
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileRead::kUnreadable;
  FileRead result = FileRead::kRead;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > maxBytes) {
    result = FileRead::kUnreadable;
  } else {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < bytes.size()) {
      DWORD n = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 20));
      if (!ReadFile(file, bytes.data() + got, want, &n, nullptr)) {
        result = FileRead::kUnreadable;
        break;
      }
      if (n == 0) break;  // shrank under us: keep what is there
      got += n;
    }
    bytes.resize(got);
  }
  CloseHandle(file);
  if (result != FileRead::kRead) bytes.clear();
  return result;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteTemporaryFile(const std::wstring& path, std::span<const uint8_t> bytes) {
  const std::wstring temporary = TemporaryPathFor(path);
  // A leftover at the temporary path (a crash, or a link planted there) is removed, never
  // opened: writing through a link would overwrite the file it shares its data with.
  if (!DeleteFileW(temporary.c_str())) {
    DWORD error = GetLastError();
    // A read-only leftover (copied from a CD, or marked so by a backup tool) refuses to be
    // deleted until its attribute is cleared; otherwise every later save would fail.
    if (error == ERROR_ACCESS_DENIED && SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL))
      error = DeleteFileW(temporary.c_str()) ? ERROR_SUCCESS : GetLastError();
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
  }
  const HANDLE file =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, bytes);
  // The bytes must be on the disk before the move makes them the file.
  if (ok && !FlushFileBuffers(file)) ok = false;
  if (!CloseHandle(file)) ok = false;
  if (!ok) {
    const DWORD error = GetLastError();  // the caller may tell the user why
    DeleteFileW(temporary.c_str());
    SetLastError(error);
  }
  return ok;
}

bool CommitTemporaryFile(const std::wstring& path) {
  const std::wstring temporary = TemporaryPathFor(path);
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();  // the caller may tell the user why
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
  }
  return true;
}

bool FolderRefusesNewFiles(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const std::wstring temporary = TemporaryPathFor(path);
  if (GetFileAttributesW(temporary.c_str()) != INVALID_FILE_ATTRIBUTES) return false;  // something stands there
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_ACCESS_DENIED;
}

bool RewriteFileInPlace(const std::wstring& path, std::span<const uint8_t> bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER old{}, size{}, start{};
  size.QuadPart = static_cast<LONGLONG>(bytes.size());
  bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &old);
  // Room for the whole new size first: a full disk fails here, with the old bytes intact.
  if (ok && size.QuadPart > old.QuadPart)
    ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  ok = ok && SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
  ok = ok && WriteAll(file, bytes) && SetEndOfFile(file) && FlushFileBuffers(file);
  const DWORD error = GetLastError();  // the caller may tell the user why
  if (!CloseHandle(file)) ok = false;
  SetLastError(error);
  return ok;
}

}  // namespace mowik
