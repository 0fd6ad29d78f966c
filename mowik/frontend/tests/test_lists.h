#pragma once
// Helpers for front-end tests: phoneme lists as one readable string of items.

#include <string>
#include <vector>

#include "mowik/frontend/cls_stack_collection.h"

namespace mowik::testing {

// The items joined by blanks, with the closing blank items left out: «k o t a .».
inline std::wstring Joined(const ClsStackCollection& list) {
  std::wstring out;
  for (int32_t i = 1; i <= list.Count(); ++i) {
    if (list.Item(i) == L" ") continue;
    if (!out.empty()) out += L' ';
    out += list.Item(i);
  }
  return out;
}

// A list from blank-separated items; "|" stands for a closing blank item.
inline ClsStackCollection ListOf(const std::wstring& items) {
  ClsStackCollection list;
  size_t start = 0;
  while (start <= items.size()) {
    size_t end = items.find(L' ', start);
    if (end == std::wstring::npos) end = items.size();
    std::wstring item = items.substr(start, end - start);
    if (!item.empty()) list.Push(item == L"|" ? L" " : item);
    start = end + 1;
  }
  return list;
}

}  // namespace mowik::testing
