#include "mowik/program/table_model.h"

namespace mowik {

int32_t TableModel::AddColumn(std::wstring header) {
  headers_.push_back(std::move(header));
  for (auto& row : cells_) row.resize(headers_.size());
  return Cols();
}

const std::wstring& TableModel::ColumnHeader(int32_t col) const {
  static const std::wstring missing;
  return col >= 1 && col <= Cols() ? headers_[static_cast<size_t>(col) - 1] : missing;
}

int32_t TableModel::AddRow() {
  cells_.emplace_back(headers_.size());
  return Rows();
}

void TableModel::RemoveRow(int32_t row) {
  if (row < 1 || row > Rows()) return;
  cells_.erase(cells_.begin() + (row - 1));
  if (selectedRow_ > Rows()) selectedRow_ = Rows();
}

void TableModel::Clear() {
  cells_.clear();
  selectedRow_ = 0;
}

bool TableModel::HasCell(int32_t row, int32_t col) const {
  return row >= 1 && row <= Rows() && col >= 1 && col <= Cols();
}

const std::wstring& TableModel::CellText(int32_t row, int32_t col) const {
  static const std::wstring missing;
  return HasCell(row, col) ? cells_[static_cast<size_t>(row) - 1][static_cast<size_t>(col) - 1] : missing;
}

void TableModel::SetCellText(int32_t row, int32_t col, std::wstring text) {
  if (HasCell(row, col)) cells_[static_cast<size_t>(row) - 1][static_cast<size_t>(col) - 1] = std::move(text);
}

void TableModel::SetSelectedRow(int32_t row) { selectedRow_ = (row >= 1 && row <= Rows()) ? row : 0; }

TableModel& DictionaryTable() {
  static TableModel table = [] {
    TableModel t;
    t.AddColumn(L"Zamie\u0144 z");
    t.AddColumn(L"Zamie\u0144 na");
    return t;
  }();
  return table;
}

TableModel& VoicesTable() {
  static TableModel table = [] {
    TableModel t;
    t.AddColumn(L"Nazwa g\u0142osu");
    t.AddColumn(L"Pitch");
    t.AddColumn(L"Duration");
    t.AddColumn(L"Frequency");
    return t;
  }();
  return table;
}

}  // namespace mowik
