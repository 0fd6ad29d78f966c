#pragma once
// PropertyBagClass: a property bag that stores itself in a file or a Base64 text, raw or
// compressed (compress_bytes.h). Objects that save themselves implement IPBC and are kept as
// a nested bag under one name.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/settings/compress_bytes.h"
#include "mowik/settings/property_bag.h"
#include "mowik/settings/property_value.h"

namespace mowik {

class PropertyBagClass;

// An object that stores its state in a bag and restores it from one.
class IPBC {
 public:
  virtual ~IPBC() = default;
  virtual void ReadProperties(PropertyBagClass& propBag) = 0;
  virtual void WriteProperties(PropertyBagClass& propBag) = 0;
};

class PropertyBagClass {
 public:
  // A settings file larger than this is not read: room for the largest bag that is compressed
  // (kMaxUncompressedSize), zlib's worst case included.
  static constexpr size_t kMaxFileSize = kMaxUncompressedSize + kMaxUncompressedSize / 1024 + 64;

  // What reading a file found.
  enum class FileLoad {
    kRead,        // the bag is the file's
    kMissing,     // no file: the bag is untouched
    kEmpty,       // an empty file (a crash while it was first written): the bag is untouched
    kUnreadable,  // there, but it cannot be opened or read, or is too large: the bag is untouched
    kDamaged,     // read, but damaged or foreign: the bag holds what could still be read
  };

  // The bag as bytes.
  std::vector<uint8_t> Contents() const { return bag_.Serialise(); }
  // Replaces the bag by the one the bytes describe; damaged bytes give what they still hold
  // (empty bytes an empty bag).
  void SetContents(std::span<const uint8_t> newContents) { bag_.Parse(newContents); }

  // The value stored under the name, or defaultValue when the name is missing.
  PropertyValue ReadProperty(std::wstring_view name, const PropertyValue& defaultValue = {}) const;
  // Restores the object from the nested bag stored under the name (an empty bag when the
  // name is missing or holds no bag) and returns it.
  IPBC& ReadProperty(std::wstring_view name, IPBC& defaultValue) const;

  // Stores the value under the name; the last value written is the one read back. A value
  // equal to a given defaultValue is not stored (and an earlier one is dropped), since
  // reading with that default gives it back anyway.
  void WriteProperty(std::wstring_view name, PropertyValue value, const PropertyValue& defaultValue = {});
  // Stores the object's state as a nested bag under the name.
  void WriteProperty(std::wstring_view name, IPBC& value);

  // Writes the bag to the file, compressed when asked. An existing file is replaced only
  // when overWrite is true, and then in one step: a failure or a crash leaves the old file
  // whole. True when the file was written.
  bool SaveToFile(const std::wstring& path, bool compress = false, bool overWrite = false) const;
  // Replaces the bag by the file's (raw or compressed) bytes. False, with the bag untouched,
  // when the file is missing, empty, cannot be read or is too large; a damaged compressed
  // file reads as an empty bag and counts as read.
  bool LoadFromFile(const std::wstring& path);
  // The same, telling why a file was not read whole; fileBytes gets the bytes read (for a
  // copy of a damaged file), empty otherwise.
  FileLoad LoadFromFile(const std::wstring& path, std::vector<uint8_t>& fileBytes);

  // The bag as Base64 text, compressed when asked; empty on failure.
  std::wstring SaveToString(bool compress = false) const;
  // Replaces the bag from Base64 text as SaveToString gives it.
  void LoadFromString(std::wstring_view data);

  // zlib's version text.
  static std::wstring ZLibVersion();

  const PropertyBag& Bag() const { return bag_; }

 private:
  // Contents, compressed when asked; empty when compression was asked and failed.
  std::vector<uint8_t> StoredBytes(bool compress) const;

  PropertyBag bag_;
};

}  // namespace mowik
