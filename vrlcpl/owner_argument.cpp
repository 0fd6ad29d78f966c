#include "vrlcpl/owner_argument.h"

namespace mowik {

uintptr_t OwnerFromCommandLine(std::wstring_view commandLine) {
  const size_t end = commandLine.find_last_not_of(L" \t");
  if (end == std::wstring_view::npos) return 0;
  size_t begin = end + 1;
  while (begin > 0 && commandLine[begin - 1] >= L'0' && commandLine[begin - 1] <= L'9') --begin;
  if (begin == end + 1) return 0;
  if (begin > 0 && commandLine[begin - 1] != L' ' && commandLine[begin - 1] != L'\t' && commandLine[begin - 1] != L'"')
    return 0;  // digits at the end of a word such as a program name
  if (begin > 0 && commandLine[begin - 1] == L'"') return 0;
  uintptr_t value = 0;
  for (size_t i = begin; i <= end; ++i) {
    const uintptr_t next = value * 10 + static_cast<uintptr_t>(commandLine[i] - L'0');
    if (next / 10 != value) return 0;  // too large to be a handle
    value = next;
  }
  return value;
}

}  // namespace mowik
