#include "mowik/settings/property_bag.h"

#include <limits>

namespace mowik {
namespace {

constexpr uint8_t kMagic[4] = {'M', 'W', 'P', 'B'};
constexpr uint8_t kVersion = 1;

// Type tags of the entries; 0 ends the bag.
enum Tag : uint8_t {
  kEnd = 0,
  kInt16 = 1,
  kInt32 = 2,
  kText = 3,
  kBoolean = 4,
  kBytes = 5,
  kNested = 6,
};

const PropertyValue kNothing;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Text as UTF-16 units whatever the size of wchar_t, so that a file moves between builds.
std::vector<uint16_t> Utf16Units(std::wstring_view text) {
  std::vector<uint16_t> units;
  units.reserve(text.size());
  for (const wchar_t c : text) {
    const uint32_t cp = static_cast<uint32_t>(c);
    if (cp <= 0xFFFF) {
      units.push_back(static_cast<uint16_t>(cp));
    } else if (cp <= 0x10FFFF) {
      units.push_back(static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      units.push_back(static_cast<uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      units.push_back(0xFFFD);  // not a character at all
    }
  }
  return units;
}

std::wstring TextFromUnits(const uint8_t* p, size_t count) {
  std::wstring text;
  text.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint16_t unit = static_cast<uint16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    if constexpr (sizeof(wchar_t) >= 4) {
      if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
        const uint16_t low = static_cast<uint16_t>(p[2 * i + 2] | (p[2 * i + 3] << 8));
        if (low >= 0xDC00 && low < 0xE000) {
          text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
          ++i;
          continue;
        }
      }
    }
    text.push_back(static_cast<wchar_t>(unit));
  }
  return text;
}

void PutUnits(std::vector<uint8_t>& out, const std::vector<uint16_t>& units) {
  for (const uint16_t u : units) PutU16(out, u);
}

// The tag and payload of one value; false for "nothing", which is never stored.
bool Encode(const PropertyValue& value, uint8_t& tag, std::vector<uint8_t>& payload) {
  payload.clear();
  if (const auto* v = std::get_if<int16_t>(&value)) {
    tag = kInt16;
    PutU16(payload, static_cast<uint16_t>(*v));
  } else if (const auto* v = std::get_if<int32_t>(&value)) {
    tag = kInt32;
    PutU32(payload, static_cast<uint32_t>(*v));
  } else if (const auto* v = std::get_if<std::wstring>(&value)) {
    tag = kText;
    PutUnits(payload, Utf16Units(*v));
  } else if (const auto* v = std::get_if<bool>(&value)) {
    tag = kBoolean;
    payload.push_back(*v ? 1 : 0);
  } else if (const auto* v = std::get_if<std::vector<uint8_t>>(&value)) {
    tag = kBytes;
    payload = *v;
  } else if (const auto* v = std::get_if<NestedBag>(&value)) {
    tag = kNested;
    payload = v->contents;
  } else {
    return false;
  }
  return true;
}

// The value a complete entry holds; nothing when the payload does not fit its tag or the tag
// is unknown (a later layout may add tags; such entries are skipped, not fatal).
PropertyValue Decode(uint8_t tag, const uint8_t* p, size_t size) {
  switch (tag) {
    case kInt16:
      if (size == 2) return static_cast<int16_t>(p[0] | (p[1] << 8));
      break;
    case kInt32:
      if (size == 4) {
        const uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
        return static_cast<int32_t>(v);
      }
      break;
    case kText:
      if (size % 2 == 0) return TextFromUnits(p, size / 2);
      break;
    case kBoolean:
      if (size == 1) return p[0] != 0;
      break;
    case kBytes:
      return std::vector<uint8_t>(p, p + size);
    case kNested:
      return NestedBag{std::vector<uint8_t>(p, p + size)};
    default:
      break;
  }
  return {};
}

}  // namespace

const PropertyValue& PropertyBag::Get(std::wstring_view name) const {
  const auto it = index_.find(std::wstring(name));
  return it == index_.end() ? kNothing : entries_[it->second].second;
}

void PropertyBag::Set(std::wstring_view name, PropertyValue value) {
  if (IsEmpty(value)) {
    Remove(name);
    return;
  }
  std::wstring key(name);
  const auto it = index_.find(key);
  if (it != index_.end()) {
    entries_[it->second].second = std::move(value);
    return;
  }
  index_.emplace(key, entries_.size());
  entries_.emplace_back(std::move(key), std::move(value));
}

void PropertyBag::Remove(std::wstring_view name) {
  const auto it = index_.find(std::wstring(name));
  if (it == index_.end()) return;
  const size_t at = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  for (auto& [key, position] : index_)
    if (position > at) --position;
}

void PropertyBag::Clear() {
  entries_.clear();
  index_.clear();
}

std::vector<uint8_t> PropertyBag::Serialise() const {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  out.push_back(kVersion);
  uint8_t tag = 0;
  std::vector<uint8_t> payload;
  for (const auto& [name, value] : entries_) {
    std::vector<uint16_t> nameUnits = Utf16Units(name);
    // Names and values beyond what the length fields can say cannot be stored; no settings
    // key or value comes near.
    if (nameUnits.size() > std::numeric_limits<uint16_t>::max()) continue;
    if (!Encode(value, tag, payload) || payload.size() > std::numeric_limits<uint32_t>::max()) continue;
    out.push_back(tag);
    PutU16(out, static_cast<uint16_t>(nameUnits.size()));
    PutUnits(out, nameUnits);
    PutU32(out, static_cast<uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
  }
  out.push_back(kEnd);
  return out;
}

bool PropertyBag::Parse(std::span<const uint8_t> bytes) {
  Clear();
  if (bytes.empty()) return true;
  if (bytes.size() < sizeof kMagic + 1) return false;
  for (size_t i = 0; i < sizeof kMagic; ++i)
    if (bytes[i] != kMagic[i]) return false;
  if (bytes[sizeof kMagic] != kVersion) return false;

  // Every length is checked against the bytes that remain before anything is allocated, so
  // no field can make the reader allocate more than the input's own size.
  size_t at = sizeof kMagic + 1;
  const size_t size = bytes.size();
  bool intact = true;
  while (at < size) {
    const uint8_t tag = bytes[at++];
    if (tag == kEnd) return intact;
    if (size - at < 2) return false;
    const size_t nameUnits = bytes[at] | (bytes[at + 1] << 8);
    at += 2;
    if ((size - at) / 2 < nameUnits) return false;
    std::wstring name = TextFromUnits(bytes.data() + at, nameUnits);
    at += 2 * nameUnits;
    if (size - at < 4) return false;
    const size_t payloadSize = bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                               (static_cast<size_t>(bytes[at + 3]) << 24);
    at += 4;
    if (size - at < payloadSize) return false;
    PropertyValue value = Decode(tag, bytes.data() + at, payloadSize);
    at += payloadSize;
    if (IsEmpty(value))
      intact = false;
    else
      Set(name, std::move(value));
  }
  return false;  // no end mark: cut short
}

}  // namespace mowik
