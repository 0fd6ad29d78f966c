#include "vrlplay/database_registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "vrlplay/copy_out.h"

namespace mowik {
namespace {

constexpr const char* kDatabasesKey = "software\\tarvi\\varelo\\databases";
constexpr DWORD kIdBytes = 32;
constexpr DWORD kPathBytes = 260;
constexpr DWORD kLabelBytes = 64;

std::string Lowered(std::string text) {
  if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A string value read through a buffer of `bytes`; none when missing, not a string or too long.
std::optional<std::string> ReadString(HKEY key, const char* name, DWORD bytes) {
  std::vector<char> buffer(bytes + 1, '\0');
  DWORD type = 0;
  DWORD size = bytes;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  return std::string(buffer.data(), strnlen(buffer.data(), size));
}

std::optional<std::string> ReadSubkeyString(HKEY key, const std::string& id, const char* name, DWORD bytes) {
  win32::ScopedKey subkey;
  if (RegOpenKeyExA(key, id.c_str(), 0, KEY_READ, subkey.Receive()) != ERROR_SUCCESS) return std::nullopt;
  return ReadString(subkey.Get(), name, bytes);
}

bool Usable(const char* id) { return id != nullptr && *id != '\0'; }

}  // namespace

CDatabaseRegistry::CDatabaseRegistry() {
  HKEY key = nullptr;
  LONG result = ERROR_FILE_NOT_FOUND;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    result = RegOpenKeyExA(root, kDatabasesKey, 0, KEY_READ | KEY_WRITE, &key);
    if (result == ERROR_ACCESS_DENIED) {
      // A normal account may read the shared list without changing it.
      result = RegOpenKeyExA(root, kDatabasesKey, 0, KEY_READ, &key);
    }
    if (result != ERROR_SUCCESS) {
      result = RegCreateKeyExA(root, kDatabasesKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                               nullptr, &key, nullptr);
    }
    if (result == ERROR_SUCCESS) break;
  }
  status_ = result;
  if (result == ERROR_SUCCESS) key_.Reset(key);
}

std::optional<std::string> CDatabaseRegistry::DatabasePath(const std::string& id) const {
  if (status_ != 0 || id.empty()) return std::nullopt;
  return ReadSubkeyString(key_.Get(), id, nullptr, kPathBytes);
}

std::optional<std::string> CDatabaseRegistry::IdAtIndex(int index) const {
  if (status_ != 0 || index < 0) return std::nullopt;
  char name[kIdBytes];
  DWORD size = kIdBytes;
  if (RegEnumKeyExA(key_.Get(), static_cast<DWORD>(index), name, &size, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::string(name, size);
}

std::optional<std::string> CDatabaseRegistry::ReadDefault() const {
  if (status_ != 0) return std::nullopt;
  return ReadString(key_.Get(), nullptr, kIdBytes);
}

std::optional<std::string> CDatabaseRegistry::ReadLabel(const std::string& id) const {
  if (status_ != 0 || id.empty()) return std::nullopt;
  win32::ScopedKey key;
  if (RegOpenKeyExA(key_.Get(), id.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return std::nullopt;
  const HKEY subkey = key.Get();
  std::optional<std::string> label = ReadString(subkey, "Label", kLabelBytes);
  if (!label) {
    // A long label still counts as read; it is given back cut to what the buffer holds.
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(subkey, "Label", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size >= kLabelBytes) {
      label = ReadString(subkey, "Label", size);
    }
  }
  if (label && label->size() > kLabelBytes - 1) label->resize(kLabelBytes - 1);
  return label;
}

std::optional<unsigned long> CDatabaseRegistry::SubkeyCount() const {
  if (status_ != 0) return std::nullopt;
  DWORD count = 0;
  if (RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  return count;
}

int CDatabaseRegistry::FindIndex(const std::string& id) const {
  if (status_ != 0) return -1;
  const std::string wanted = Lowered(id);
  for (DWORD index = 0;; ++index) {
    char name[kPathBytes];
    DWORD size = kPathBytes;
    if (RegEnumKeyExA(key_.Get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return -1;
    if (Lowered(std::string(name, size)) == wanted) return static_cast<int>(index);
  }
}

bool CDatabaseRegistry::WriteDefault(const std::string& id) {
  if (status_ != 0) return false;
  return RegSetValueExA(key_.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(id.c_str()),
                        static_cast<DWORD>(id.size() + 1)) == ERROR_SUCCESS;
}

int CDatabaseRegistry::EnumIds(char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (buf == nullptr || len < 1) return 0;
  buf[0] = '\0';
  if (status_ != 0) return 0;
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return 0;
  std::vector<char> name(longest + 1);
  char* at = buf;
  size_t room = static_cast<size_t>(len) - 1;
  for (DWORD index = 0; index < count; ++index) {
    DWORD size = longest + 1;
    if (RegEnumKeyExA(key_.Get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      continue;
    if (size >= room) break;
    std::memcpy(at, name.data(), size);
    at[size] = '\0';
    at += size + 1;
    room -= size + 1;
  }
  *at = '\0';
  return 1;
}

int CDatabaseRegistry::EnumIdsCallback(VRL_ENUM_FUNCTION function, VRL_PARAM user) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  const std::optional<unsigned long> count = SubkeyCount();
  if (function == nullptr || !count || *count == 0) return 0;
  int calls = 0;
  for (unsigned long index = 0; index < *count; ++index) {
    const std::optional<std::string> id = IdAtIndex(static_cast<int>(index));
    if (!id) continue;
    ++calls;
    if (function(id->c_str(), user) == 0) break;
  }
  return calls;
}

int CDatabaseRegistry::Label(const char* id, char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (!Usable(id) || buf == nullptr || len < 1) return 2;
  const std::optional<std::string> label = ReadLabel(id);
  if (!label) return 2;
  CopyOut(*label, buf, len);
  return 0;
}

int CDatabaseRegistry::Path(const char* id, char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (!Usable(id) || buf == nullptr || len < 1) return 2;
  const std::optional<std::string> path = DatabasePath(id);
  if (!path) return 2;
  CopyOut(*path, buf, len);
  return 0;
}

int CDatabaseRegistry::Count() {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  const std::optional<unsigned long> count = SubkeyCount();
  return count ? static_cast<int>(*count) : -1;
}

int CDatabaseRegistry::DefaultId(char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (buf == nullptr || len < 1) return 2;
  const std::optional<std::string> id = ReadDefault();
  if (!id) return 2;
  CopyOut(*id, buf, len);
  return 0;
}

int CDatabaseRegistry::SetDefault(const char* id) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (id == nullptr) return 0;
  return WriteDefault(id) ? 1 : 0;
}

int CDatabaseRegistry::Register(const char* id, const char* path, const char* label, int makeDefault, char* buf,
                                int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (status_ != 0 || !Usable(id) || path == nullptr) return 0;
  // A path the readers' buffer cannot hold would be stored and then read back as "not found".
  if (std::strlen(path) >= kPathBytes) return 0;
  std::string unique = id;
  // An empty name or a backslash would write into the databases key itself or below another id.
  if (unique.size() > kIdBytes - 1 || unique.find('\\') != std::string::npos) return 0;
  while (FindIndex(unique) >= 0) {
    if (unique.size() >= kIdBytes - 1) return 0;
    unique += '1';
  }
  win32::ScopedKey subkey;
  if (RegCreateKeyExA(key_.Get(), unique.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                      subkey.Receive(), nullptr) != ERROR_SUCCESS)
    return 0;
  const std::string labelText = label != nullptr ? label : "";
  int result =
      RegSetValueExA(subkey.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                     static_cast<DWORD>(std::strlen(path) + 1)) == ERROR_SUCCESS &&
              RegSetValueExA(subkey.Get(), "Label", 0, REG_SZ, reinterpret_cast<const BYTE*>(labelText.c_str()),
                             static_cast<DWORD>(labelText.size())) == ERROR_SUCCESS
          ? 1
          : 0;
  subkey.Reset();
  if (result == 1 && makeDefault != 0) result = WriteDefault(unique) ? 1 : 0;
  if (result == 1) CopyOut(unique, buf, len);
  return result;
}

CDatabaseRegistry::Deletion CDatabaseRegistry::Delete(const std::string& id) {
  if (status_ != 0 || id.empty()) return Deletion::kFailed;
  if (RegDeleteKeyA(key_.Get(), id.c_str()) != ERROR_SUCCESS) return Deletion::kFailed;
  const std::optional<std::string> defaultId = ReadDefault();
  if (!defaultId || Lowered(*defaultId) != Lowered(id)) return Deletion::kDeleted;
  const std::optional<unsigned long> count = SubkeyCount();
  if (!count || *count == 0) return Deletion::kDeleted;
  const std::optional<std::string> first = IdAtIndex(0);
  return first && WriteDefault(*first) ? Deletion::kDefaultMoved : Deletion::kDeleted;
}

int CDatabaseRegistry::Unregister(const char* id) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (id == nullptr) return 0;
  return Delete(id) == Deletion::kDefaultMoved ? 1 : 0;
}

int CDatabaseRegistry::UnregisterAll() {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  bool any = false;
  for (;;) {
    const std::optional<unsigned long> count = SubkeyCount();
    if (!count || *count == 0) break;
    any = true;  // there was one to delete, even if it cannot be read or deleted
    const std::optional<std::string> id = IdAtIndex(0);
    if (!id) break;
    // A subkey that cannot be deleted would stay at index 0 for ever.
    if (Delete(*id) == Deletion::kFailed) break;
  }
  return any ? 1 : 0;
}

int CDatabaseRegistry::Exists(const char* id) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  const std::optional<unsigned long> count = SubkeyCount();
  if (id == nullptr || !count) return 0;
  for (unsigned long index = 0; index < *count; ++index) {
    const std::optional<std::string> name = IdAtIndex(static_cast<int>(index));
    if (!name) break;
    if (*name == id) return 1;
  }
  return 0;
}

int CDatabaseRegistry::IdAt(int index, char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (buf == nullptr || len < 1) return 2;
  const std::optional<std::string> id = IdAtIndex(index);
  if (!id) return 2;
  CopyOut(*id, buf, len);
  return 0;
}

int CDatabaseRegistry::PathAt(int index, char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (buf == nullptr || len < 1) return 2;
  const std::optional<std::string> id = IdAtIndex(index);
  const std::optional<std::string> path = id ? DatabasePath(*id) : std::nullopt;
  if (!path) return 2;
  CopyOut(*path, buf, len);
  return 0;
}

int CDatabaseRegistry::LabelAt(int index, char* buf, int len) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (buf == nullptr || len < 1) return 2;
  const std::optional<std::string> id = IdAtIndex(index);
  const std::optional<std::string> label = id ? ReadLabel(*id) : std::nullopt;
  if (!label) return 2;
  CopyOut(*label, buf, len);
  return 0;
}

int CDatabaseRegistry::IndexOf(const char* id) {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (id == nullptr) return -1;
  return FindIndex(id);
}

int CDatabaseRegistry::DefaultIndex() {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  const std::optional<std::string> id = ReadDefault();
  if (!id) return -1;
  return FindIndex(*id);
}

}  // namespace mowik
