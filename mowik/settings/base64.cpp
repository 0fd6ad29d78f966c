#include "mowik/settings/base64.h"

namespace mowik {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;

uint32_t SextetOf(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<uint32_t>(c - L'A');
  if (c >= L'a' && c <= L'z') return static_cast<uint32_t>(c - L'a' + 26);
  if (c >= L'0' && c <= L'9') return static_cast<uint32_t>(c - L'0' + 52);
  if (c == L'+') return 62;
  if (c == L'/') return 63;
  return 0;
}

}  // namespace

std::wstring EncodeBase64(std::span<const uint8_t> bytes) {
  std::wstring chars;
  chars.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t left = bytes.size() - i;
    const uint32_t group = (bytes[i] << 16) | (left > 1 ? bytes[i + 1] << 8 : 0) | (left > 2 ? bytes[i + 2] : 0);
    chars.push_back(static_cast<wchar_t>(kAlphabet[(group >> 18) & 63]));
    chars.push_back(static_cast<wchar_t>(kAlphabet[(group >> 12) & 63]));
    chars.push_back(left > 1 ? static_cast<wchar_t>(kAlphabet[(group >> 6) & 63]) : L'=');
    chars.push_back(left > 2 ? static_cast<wchar_t>(kAlphabet[group & 63]) : L'=');
  }
  std::wstring text;
  text.reserve(chars.size() + chars.size() / kLineLength * 2);
  for (size_t i = 0; i < chars.size(); i += kLineLength) {
    if (i > 0) text += L"\r\n";
    text.append(chars, i, kLineLength);
  }
  return text;
}

std::vector<uint8_t> DecodeBase64(std::wstring_view text) {
  std::wstring chars;
  chars.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
      ++i;
      continue;
    }
    if (text[i] != L'=') chars.push_back(text[i]);
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(chars.size() / 4 * 3 + 2);
  for (size_t i = 0; i < chars.size(); i += 4) {
    const size_t left = chars.size() - i;
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) group = (group << 6) | (k < left ? SextetOf(chars[i + k]) : 0);
    if (left >= 2) bytes.push_back(static_cast<uint8_t>(group >> 16));
    if (left >= 3) bytes.push_back(static_cast<uint8_t>(group >> 8));
    if (left >= 4) bytes.push_back(static_cast<uint8_t>(group));
  }
  return bytes;
}

}  // namespace mowik
