#pragma once
// Paths on POSIX systems are bytes, taken as UTF-8, whatever the C locale says.

#include <string>

namespace mowik {

// Characters that are not characters (surrogates, beyond U+10FFFF) become U+FFFD.
std::string NarrowPath(const std::wstring& path);
// Bytes that are not UTF-8 each become U+FFFD.
std::wstring WidePath(const std::string& path);

}  // namespace mowik
