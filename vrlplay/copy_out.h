#pragma once
// CopyOut: how every export fills a caller's buffer.

#include <optional>
#include <string_view>

namespace mowik {

// With n the smaller of (text length + 1) and len: writes the first n - 1 characters and a NUL
// into buf and returns n. Writes nothing and returns 0 when there is no text, buf is null or
// len is below 1.
int CopyOut(std::optional<std::string_view> text, char* buf, int len);

}  // namespace mowik
