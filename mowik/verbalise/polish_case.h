#pragma once
#include <string>
#include <string_view>

namespace mowik {

// Lowercasing, the same in every build: every capital in U+0000..U+FFFF that has a
// one-character small letter maps to it (Ą Ć Ę Ł Ń Ó Ś Ź Ż, Greek, Cyrillic and the rest;
// İ gives i); anything else, half surrogate pairs included, stays.
wchar_t LowerChar(wchar_t c);
std::wstring LowerText(std::wstring_view text);

// True when c occurs in set, comparing without regard to case.
bool ContainsIgnoringCase(std::wstring_view set, wchar_t c);

}  // namespace mowik
