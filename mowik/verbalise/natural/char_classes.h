#pragma once
// Character classes of natural reading.

#include "mowik/verbalise/polish_case.h"

namespace mowik {

inline bool IsDigitChar(wchar_t c) { return c >= L'0' && c <= L'9'; }
// Letters: ASCII, Latin-1 and Latin Extended (Polish among them), and any character with a
// small letter of its own.
inline bool IsLetterChar(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) ||
         LowerChar(c) != c;
}
inline bool IsCapitalChar(wchar_t c) { return LowerChar(c) != c; }
// Blanks within a line, the non-breaking and thin spaces that group digits among them.
inline bool IsBlankChar(wchar_t c) {
  return c == L' ' || c == L'\t' || c == 0xA0 || c == 0x2009 || c == 0x202F || c == 0x2007 || c == 0x3000;
}
inline bool IsLineEnd(wchar_t c) { return c == L'\n' || c == L'\r' || c == 0x2028 || c == 0x2029 || c == 0x0B || c == 0x0C; }

}  // namespace mowik
