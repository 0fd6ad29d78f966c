#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace mowik {

// The text form of a value with leading and trailing blanks removed: a whole number in plain
// decimal («7», «-12»), a text as it is without its outer blanks.
std::wstring TrimmedText(int64_t value);
std::wstring TrimmedText(std::wstring_view value);

}  // namespace mowik
