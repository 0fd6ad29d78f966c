#pragma once
// Base64 text form of the settings bytes: alphabet A-Z a-z 0-9 + /, '=' fill to a group of
// four, CR LF after every 76 characters when more follow (never at the end).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mowik {

// Empty bytes give the empty text.
std::wstring EncodeBase64(std::span<const uint8_t> bytes);

// Every CR LF pair and every '=' is removed first. Groups of four characters give three
// bytes; a last group of two gives one byte, of three two bytes, of one nothing. A character
// outside the alphabet counts as 0.
std::vector<uint8_t> DecodeBase64(std::wstring_view text);

}  // namespace mowik
