#pragma once
#include <string>

namespace mowik {

class TableModel;

// Applies the rows of the replacement dictionary (column 1 find, column 2 replacement) in row
// order: every occurrence of find, ignoring case, becomes the replacement in lowercase. Rows
// with an empty find change nothing.
void ApplyDictionary(std::wstring& text, const TableModel& table);

}  // namespace mowik
