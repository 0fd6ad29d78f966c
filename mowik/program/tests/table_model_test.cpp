#include "mowik/program/table_model.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(TableModel, CellsRowsAndMissingPlaces) {
  TableModel table;
  table.AddColumn(L"a");
  EXPECT_EQ(table.AddColumn(L"b"), 2);
  EXPECT_EQ(table.AddRow(), 1);
  EXPECT_EQ(table.AddRow(), 2);
  table.SetCellText(1, 1, L"x");
  table.SetCellText(2, 2, L"y");
  table.SetCellText(3, 1, L"ignored");
  table.SetCellText(1, 3, L"ignored");
  EXPECT_EQ(table.CellText(1, 1), L"x");
  EXPECT_EQ(table.CellText(2, 2), L"y");
  EXPECT_EQ(table.CellText(0, 1), L"");
  EXPECT_EQ(table.CellText(1, 3), L"");

  table.SetSelectedRow(2);
  table.RemoveRow(1);
  EXPECT_EQ(table.Rows(), 1);
  EXPECT_EQ(table.CellText(1, 2), L"y");
  EXPECT_EQ(table.SelectedRow(), 1) << "the selection stays on an existing row";
  table.RemoveRow(5);
  EXPECT_EQ(table.Rows(), 1);

  table.Clear();
  EXPECT_EQ(table.Rows(), 0);
  EXPECT_EQ(table.Cols(), 2);
  EXPECT_EQ(table.SelectedRow(), 0);
}

TEST(TableModel, ProgramTablesHaveTheirColumns) {
  EXPECT_EQ(DictionaryTable().Cols(), 2);
  EXPECT_EQ(DictionaryTable().ColumnHeader(1), L"Zamień z");
  EXPECT_EQ(VoicesTable().Cols(), 4);
  EXPECT_EQ(VoicesTable().ColumnHeader(4), L"Frequency");
}

}  // namespace
}  // namespace mowik
