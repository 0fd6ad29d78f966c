#include "mowik/frontend/cls_stack_collection.h"

namespace mowik {

const std::wstring& ClsStackCollection::Missing() {
  static const std::wstring missing;
  return missing;
}

void ClsStackCollection::Replace(int32_t index, std::wstring value) {
  if (index < 1 || index > Count()) return;
  items_[static_cast<size_t>(index) - 1] = std::move(value);
}

ClsStackCollection& PhonemeList() {
  static ClsStackCollection list;
  return list;
}

}  // namespace mowik
