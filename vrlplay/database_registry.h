#pragma once
// CDatabaseRegistry: the list of installed voice databases under the key
// "software\tarvi\varelo\databases": one subkey per database id (at most 31 characters) whose
// default value is the database path and whose value "Label" is a label for display; the key's
// own default value names the default database. The operations return what the VRL_Reg*
// exports return; they are serialised against each other.

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

#include "vrlplay/vrlplay.h"
#include "win32/scoped_handle.h"

namespace mowik {

class CDatabaseRegistry {
 public:
  // Opens the key under HKEY_LOCAL_MACHINE for reading and writing, or for reading only when
  // writing is refused; creates it when it does not exist. When it can neither be opened nor
  // created there, the same key under HKEY_CURRENT_USER is used.
  CDatabaseRegistry();
  CDatabaseRegistry(const CDatabaseRegistry&) = delete;
  CDatabaseRegistry& operator=(const CDatabaseRegistry&) = delete;

  // 0 when the key is open, else the system error of the failed open; while non-zero every
  // read says "not found" and every change fails.
  long Status() const { return status_; }

  // Path of a database for the play thread (default value of its subkey, at most 260 bytes);
  // none when it cannot be read. Takes no lock.
  std::optional<std::string> DatabasePath(const std::string& id) const;

  int EnumIds(char* buf, int len);                        // 1, or 0 when buf is null or unreadable
  int EnumIdsCallback(VRL_ENUM_FUNCTION function, VRL_PARAM user);  // calls made
  int Label(const char* id, char* buf, int len);          // 0, or 2 when unreadable
  int Path(const char* id, char* buf, int len);           // 0, or 2
  int Count();                                            // subkeys, or -1
  int DefaultId(char* buf, int len);                      // 0, or 2
  int SetDefault(const char* id);                         // 1, or 0
  int Register(const char* id, const char* path, const char* label, int makeDefault, char* buf, int len);
  int Unregister(const char* id);  // 1 only when the default moved to another database
  int UnregisterAll();             // 1 when there was at least one to delete
  int Exists(const char* id);      // exact name, case counts
  int IdAt(int index, char* buf, int len);     // 0, or 2
  int PathAt(int index, char* buf, int len);   // 0, or 2
  int LabelAt(int index, char* buf, int len);  // 0, or 2
  int IndexOf(const char* id);                 // without regard to case; -1 when none
  int DefaultIndex();                          // -1 when no default or not registered

 private:
  enum class Deletion { kFailed, kDeleted, kDefaultMoved };
  Deletion Delete(const std::string& id);
  std::optional<std::string> IdAtIndex(int index) const;  // through a 32-byte buffer
  std::optional<std::string> ReadDefault() const;
  std::optional<std::string> ReadLabel(const std::string& id) const;
  std::optional<unsigned long> SubkeyCount() const;
  int FindIndex(const std::string& id) const;
  bool WriteDefault(const std::string& id);

  win32::ScopedKey key_;
  long status_ = 0;
  std::recursive_mutex lock_;  // an enumeration callback may call the registry again
};

}  // namespace mowik
