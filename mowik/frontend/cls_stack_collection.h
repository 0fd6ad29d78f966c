#pragma once
// ClsStackCollection: an ordered list of short texts with 1-based positions. The front end
// keeps the items of one piece in it: SAMPA phonemes, punctuation marks and a blank that
// closes each word.

#include <cstdint>
#include <string>
#include <vector>

namespace mowik {

class ClsStackCollection {
 public:
  void Clear() { items_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The item at position index (1-based); the empty text for a position that does not exist.
  const std::wstring& Item(int32_t index) const {
    return index >= 1 && index <= Count() ? items_[static_cast<size_t>(index) - 1] : Missing();
  }
  void Push(std::wstring value) { items_.push_back(std::move(value)); }
  // Puts value in place of the item at position index; does nothing for a missing position.
  void Replace(int32_t index, std::wstring value);

 private:
  static const std::wstring& Missing();

  std::vector<std::wstring> items_;
};

// The one program-wide list, created at first use and kept for the whole run.
ClsStackCollection& PhonemeList();

}  // namespace mowik
