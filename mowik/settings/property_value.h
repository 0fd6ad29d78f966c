#pragma once
// PropertyValue: one named value of a property bag, and the conversions the settings use to
// read a value into a global whatever type a file stored it as.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace mowik {

// The stored Contents of a nested bag (an object that saves itself through IPBC).
struct NestedBag {
  std::vector<uint8_t> contents;
  bool operator==(const NestedBag&) const = default;
};

// std::monostate is "no value": what a missing name reads as.
using PropertyValue =
    std::variant<std::monostate, int16_t, int32_t, std::wstring, bool, std::vector<uint8_t>, NestedBag>;

inline bool IsEmpty(const PropertyValue& value) { return std::holds_alternative<std::monostate>(value); }

// A value as a whole number: integers as they are, true as 1, a text that is a plain decimal
// number (blanks around it allowed) as that number. Anything else, and a number outside the
// target's range, reads as 0, as a missing value does.
int16_t AsInt16(const PropertyValue& value);
int32_t AsInt32(const PropertyValue& value);

// A value as text: texts as they are, numbers in plain decimal, booleans as "1" or "0";
// nothing, byte arrays and nested bags as the empty text.
std::wstring AsText(const PropertyValue& value);

}  // namespace mowik
