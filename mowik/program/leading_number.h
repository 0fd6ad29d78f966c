#pragma once
#include <cstdint>
#include <string_view>

namespace mowik {

// The decimal number at the start of text (after leading blanks: an optional sign, digits, an
// optional fraction after "."); 0 when the text does not begin with one.
double LeadingNumber(std::wstring_view text);

// The same rounded to the nearest whole number, a half to the even neighbour, and held within
// the 32-bit range.
int32_t LeadingWholeNumber(std::wstring_view text);

}  // namespace mowik
