#pragma once
// TableModel: a grid of text cells, rows and columns numbered from 1: the portable half of the
// main window's tables. The settings store fills it, the normalisation reads the dictionary
// from it, and the settings window shows it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mowik {

class TableModel {
 public:
  // Adds a column at the right with its header text; returns its number.
  int32_t AddColumn(std::wstring header);
  int32_t Cols() const { return static_cast<int32_t>(headers_.size()); }
  const std::wstring& ColumnHeader(int32_t col) const;

  int32_t Rows() const { return static_cast<int32_t>(cells_.size()); }
  // Adds an empty row at the end; returns its number.
  int32_t AddRow();
  // Removes a row; later rows move up. Does nothing for a missing row.
  void RemoveRow(int32_t row);
  // Removes every row; the columns stay.
  void Clear();

  // The cell's text; the empty text for a cell that does not exist.
  const std::wstring& CellText(int32_t row, int32_t col) const;
  // Sets the cell's text; does nothing for a cell that does not exist.
  void SetCellText(int32_t row, int32_t col, std::wstring text);

  // The selected row, 0 when none; selecting a missing row selects none.
  int32_t SelectedRow() const { return selectedRow_; }
  void SetSelectedRow(int32_t row);

 private:
  bool HasCell(int32_t row, int32_t col) const;

  std::vector<std::wstring> headers_;
  std::vector<std::vector<std::wstring>> cells_;
  int32_t selectedRow_ = 0;
};

// The program's two tables: the replacement dictionary (columns "Zamień z", "Zamień na") and
// the voice profiles ("Nazwa głosu", "Pitch", "Duration", "Frequency"), made with their
// columns at first use.
TableModel& DictionaryTable();
TableModel& VoicesTable();

}  // namespace mowik
