#pragma once
// PropertyBag: named values kept in the order they were first written, and their byte form
// (Contents). The layout of the bytes is described in bag_layout.md beside this file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "mowik/settings/property_value.h"

namespace mowik {

class PropertyBag {
 public:
  // The value stored under the name (names are compared exactly), or nothing.
  const PropertyValue& Get(std::wstring_view name) const;
  // Stores the value under the name. A name already held keeps its place and takes the new
  // value, so the last value written is the one read back. Storing nothing removes the name.
  void Set(std::wstring_view name, PropertyValue value);
  void Remove(std::wstring_view name);
  void Clear();
  size_t Count() const { return entries_.size(); }
  const std::vector<std::pair<std::wstring, PropertyValue>>& Entries() const { return entries_; }

  // The bag as bytes; an empty bag still gives its header.
  std::vector<uint8_t> Serialise() const;
  // Replaces the bag by the values the bytes hold. Whatever is damaged, truncated or foreign
  // is left out: every complete entry before it is kept, the rest reads as missing. Returns
  // false when anything had to be left out (empty bytes count as an empty bag).
  bool Parse(std::span<const uint8_t> bytes);

 private:
  std::vector<std::pair<std::wstring, PropertyValue>> entries_;
  std::unordered_map<std::wstring, size_t> index_;
};

}  // namespace mowik
