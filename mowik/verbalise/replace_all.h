#pragma once
// Replace-all in linear time, for the substitution steps of the normalisation.

#include <string>
#include <string_view>

namespace mowik {

// Replaces, in text, every occurrence of find by replacement, scanning left to right; the
// occurrences do not overlap and inserted text is not searched again. An empty find changes
// nothing, and the text is rewritten only when find occurs.
//
// The exact form is for short texts to find: it looks for the character find[anchor] (choose
// a rare one; the first when anchor is out of range) and compares the rest there, so it does
// at most find's length comparisons per position.
void ReplaceAll(std::wstring& text, std::wstring_view find, std::wstring_view replacement, size_t anchor = 0);

// Compares the characters as LowerChar gives them (Polish letters included); linear in the
// lengths, whatever find is.
void ReplaceAllIgnoringCase(std::wstring& text, std::wstring_view find, std::wstring_view replacement);

}  // namespace mowik
