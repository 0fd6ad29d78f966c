#include "mowik/settings/property_bag_class.h"

#include "mowik/platform/file_store.h"
#include "mowik/settings/base64.h"
#include "mowik/settings/compress_bytes.h"

namespace mowik {

PropertyValue PropertyBagClass::ReadProperty(std::wstring_view name, const PropertyValue& defaultValue) const {
  const PropertyValue& value = bag_.Get(name);
  return IsEmpty(value) ? defaultValue : value;
}

IPBC& PropertyBagClass::ReadProperty(std::wstring_view name, IPBC& defaultValue) const {
  PropertyBagClass nested;
  const PropertyValue& value = bag_.Get(name);
  if (const auto* bag = std::get_if<NestedBag>(&value)) nested.SetContents(bag->contents);
  else if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&value)) nested.SetContents(*bytes);
  defaultValue.ReadProperties(nested);
  return defaultValue;
}

void PropertyBagClass::WriteProperty(std::wstring_view name, PropertyValue value, const PropertyValue& defaultValue) {
  if (!IsEmpty(defaultValue) && value == defaultValue) {
    bag_.Remove(name);
    return;
  }
  bag_.Set(name, std::move(value));
}

void PropertyBagClass::WriteProperty(std::wstring_view name, IPBC& value) {
  PropertyBagClass nested;
  value.WriteProperties(nested);
  bag_.Set(name, NestedBag{nested.Contents()});
}

std::vector<uint8_t> PropertyBagClass::StoredBytes(bool compress) const {
  std::vector<uint8_t> bytes = Contents();
  return compress ? CompressBytes(bytes) : bytes;
}

bool PropertyBagClass::SaveToFile(const std::wstring& path, bool compress, bool overWrite) const {
  if (compress && ZLibVersion().empty()) return false;
  if (!overWrite && PathExists(path)) return false;
  const std::vector<uint8_t> bytes = StoredBytes(compress);
  // Contents is never empty, so empty bytes mean the compression failed: keep the old file.
  if (bytes.empty()) return false;
  return ReplaceFileContents(path, bytes);
}

bool PropertyBagClass::LoadFromFile(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  const FileLoad result = LoadFromFile(path, bytes);
  // A damaged compressed file reads as an empty bag and counts as read.
  return result == FileLoad::kRead || result == FileLoad::kDamaged;
}

PropertyBagClass::FileLoad PropertyBagClass::LoadFromFile(const std::wstring& path, std::vector<uint8_t>& fileBytes) {
  switch (ReadWholeFile(path, kMaxFileSize, fileBytes)) {
    case FileRead::kMissing: return FileLoad::kMissing;
    case FileRead::kUnreadable: return FileLoad::kUnreadable;
    case FileRead::kRead: break;
  }
  // An empty file holds no bag at all: unreadable, so that the caller writes the defaults as
  // for a missing file.
  if (fileBytes.empty()) return FileLoad::kEmpty;
  const std::vector<uint8_t> contents = DecompressBytes(fileBytes);
  const bool intact = bag_.Parse(contents) && !contents.empty();
  return intact ? FileLoad::kRead : FileLoad::kDamaged;
}

std::wstring PropertyBagClass::SaveToString(bool compress) const {
  if (compress && ZLibVersion().empty()) return {};
  return EncodeBase64(StoredBytes(compress));
}

void PropertyBagClass::LoadFromString(std::wstring_view data) { SetContents(DecompressBytes(DecodeBase64(data))); }

std::wstring PropertyBagClass::ZLibVersion() { return mowik::ZLibVersion(); }

}  // namespace mowik
