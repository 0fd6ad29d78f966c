#include "win32/ansi_text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace mowik::win32 {
namespace {

int Length(size_t size) {
  if (size > static_cast<size_t>(INT_MAX)) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = Length(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring WideFromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = Length(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), size);
  return out;
}

}  // namespace mowik::win32
