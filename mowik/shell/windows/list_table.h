#pragma once
// A TableModel shown by a report-view ListView without header, with grid lines: a virtual
// list that reads its cells from the model, so the two never disagree. The window passes its
// WM_NOTIFY messages here; typed characters and the selected column come back as events.
// Windows only.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>

#include "mowik/program/table_model.h"

namespace mowik {

class ListTable {
 public:
  struct Events {
    std::function<void(int32_t row, int32_t col)> selectionChanged;  // by the user
    std::function<void(int32_t key)> keyDown;
    // An edit asked for: a typed character, or 0 (double click, F2).
    std::function<void(int32_t row, int32_t col, int32_t typedChar)> editRequested;
  };

  // Shows the model's first visibleColumns columns in the rectangle (pixels, in parent).
  bool Create(HWND parent, int32_t id, RECT box, TableModel& model, int32_t visibleColumns, bool fullRowSelect,
              Events events);
  HWND Handle() const { return list_; }

  // The model's rows or selection changed: shown again without raising selectionChanged.
  void Refresh();
  // Column 1 gets width pixels, the last visible column stretches to the table's width.
  void SetFirstColumnWidth(int32_t width);
  // The cell's rectangle in the table's own coordinates.
  RECT CellRect(int32_t row, int32_t col) const;
  int32_t SelectedColumn() const { return selectedColumn_; }

  // The window's WM_NOTIFY for this table; true when handled, with the result.
  bool OnNotify(NMHDR* header, LRESULT& result);

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
  void ResizeLastColumn();

  HWND list_ = nullptr;
  TableModel* model_ = nullptr;
  int32_t columns_ = 1;
  int32_t firstWidth_ = 0;
  int32_t selectedColumn_ = 1;
  bool refreshing_ = false;
  Events events_;
};

}  // namespace mowik
