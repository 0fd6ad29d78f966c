#pragma once
// mowik-say's replacement dictionary file: UTF-8 lines of find<TAB>replace.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mowik {

struct DictionaryRow {
  std::wstring find;
  std::wstring replace;
};

// The rows of a dictionary file's bytes, in file order. A byte-order mark at the start is
// dropped, lines end in LF or CR LF, empty lines are skipped, and the first tab of a line
// parts find from replace (later tabs belong to the replacement). On a fault, nothing and
// error says where: bytes that are not UTF-8 (with the offset), a line without a tab (with
// its number).
std::optional<std::vector<DictionaryRow>> ParseDictionary(std::string_view bytes, std::string& error);

}  // namespace mowik
