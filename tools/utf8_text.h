#pragma once
// UTF-8 at the command line's edge; inside, text is std::wstring (UTF-16 on Windows).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mowik {

// Decodes UTF-8. Overlong forms, surrogates, code points above U+10FFFF, stray continuation
// bytes and truncated sequences are refused: the result is empty and *bad_offset, when
// given, is the byte offset at which the faulty sequence starts.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes, size_t* bad_offset = nullptr);

// The bytes without a UTF-8 byte-order mark at their start (Windows editors write one).
std::string_view WithoutByteOrderMark(std::string_view bytes);

// Encodes text as UTF-8. A lone surrogate (possible in Windows text) is written in the
// three-byte form, which DecodeUtf8 refuses, so such text fails at the one place that checks.
std::string EncodeUtf8(std::wstring_view text);

}  // namespace mowik
