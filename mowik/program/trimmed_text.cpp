#include "mowik/program/trimmed_text.h"

namespace mowik {

std::wstring TrimmedText(int64_t value) { return std::to_wstring(value); }

std::wstring TrimmedText(std::wstring_view value) {
  const size_t first = value.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const size_t last = value.find_last_not_of(L' ');
  return std::wstring(value.substr(first, last - first + 1));
}

}  // namespace mowik
