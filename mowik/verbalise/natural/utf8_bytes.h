#pragma once
// Wide text as UTF-8, for the lexicon's keys: the generator writes them and the reader looks
// them up with the same bytes. Header only, so the generator (a build tool) needs no library.

#include <cstdint>
#include <string>
#include <string_view>

namespace mowik {

// out = text in UTF-8. False (out then unspecified) for a surrogate or a character beyond
// U+FFFF: the lexicon holds neither.
inline bool EncodeUtf8(std::wstring_view text, std::string& out) {
  out.clear();
  for (const wchar_t w : text) {
    const uint32_t c = static_cast<uint32_t>(w);
    if (c > 0xffff || (c >= 0xd800 && c <= 0xdfff)) return false;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xc0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else {
      out.push_back(static_cast<char>(0xe0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    }
  }
  return true;
}

}  // namespace mowik
