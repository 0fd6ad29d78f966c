#include "mowik/verbalise/collapse_spaces.h"

namespace mowik {

std::wstring CollapseSpaces(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  bool pending_blank = false;
  for (const wchar_t c : text) {
    if (c == L' ' || c == L'\t') {
      pending_blank = !result.empty();  // a leading run is dropped
      continue;
    }
    if (pending_blank) result.push_back(L' ');
    pending_blank = false;
    result.push_back(c);
  }
  return result;  // a trailing run was never written
}

}  // namespace mowik
