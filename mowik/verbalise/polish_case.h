#pragma once
#include <string>
#include <string_view>

namespace mowik {

// Lowercasing for Polish text, the same in every build: ASCII, Latin-1 and Latin Extended-A
// capitals (Ą Ć Ę Ł Ń Ó Ś Ź Ż among them) map to their small letters; anything else stays.
wchar_t LowerChar(wchar_t c);
std::wstring LowerText(std::wstring_view text);

// True when c occurs in set, comparing without regard to case.
bool ContainsIgnoringCase(std::wstring_view set, wchar_t c);

}  // namespace mowik
