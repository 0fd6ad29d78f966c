#pragma once
// Replace-all in linear time, for the substitution steps of the normalisation.

#include <string>
#include <string_view>

namespace mowik {

// text with every occurrence of find replaced by replacement, scanning left to right; the
// occurrences do not overlap and inserted text is not searched again. An empty find changes
// nothing. Linear in the lengths, whatever find is.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view find, std::wstring_view replacement);

// The same, comparing the characters as LowerChar gives them (Polish letters included).
std::wstring ReplaceAllIgnoringCase(std::wstring_view text, std::wstring_view find,
                                    std::wstring_view replacement);

}  // namespace mowik
