#pragma once
// Text between Mowik (UTF-16) and the 8-bit text of the player library and the older Win32
// calls (the system's ANSI code page).
//
// Policy for text that does not convert: the conversion never fails and never drops text.
// Towards the ANSI code page a character the code page has no byte for (and an unpaired
// surrogate) becomes the code page's default character, '?'. From the ANSI code page a byte
// sequence that is not valid in it (possible only in multi-byte code pages) becomes the code
// page's replacement character (U+FFFD in UTF-8, else the default character). Embedded NULs
// are kept. A text of 2^31 or more units, which the system calls cannot take, throws
// std::length_error.
#include <string>
#include <string_view>

namespace mowik::win32 {

std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);

}  // namespace mowik::win32
