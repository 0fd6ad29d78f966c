#include "mowik/shell/windows/list_table.h"

namespace mowik {

bool ListTable::Create(HWND parent, int32_t id, RECT box, TableModel& model, int32_t visibleColumns,
                       bool fullRowSelect, Events events) {
  model_ = &model;
  columns_ = visibleColumns;
  events_ = std::move(events);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                          box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!list_) return false;
  DWORD extended = LVS_EX_GRIDLINES;
  if (fullRowSelect) extended |= LVS_EX_FULLROWSELECT;
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  for (int32_t col = 0; col < columns_; ++col) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 50;
    SendMessageW(list_, LVM_INSERTCOLUMNW, col, reinterpret_cast<LPARAM>(&column));
  }
  SetWindowSubclass(list_, Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
  ResizeLastColumn();
  return true;
}

void ListTable::SetFirstColumnWidth(int32_t width) {
  firstWidth_ = width;
  ResizeLastColumn();
}

void ListTable::ResizeLastColumn() {
  RECT client{};
  GetClientRect(list_, &client);
  const int32_t total = client.right - client.left;
  if (columns_ == 1) {
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, total);
    return;
  }
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, firstWidth_);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, columns_ - 1, total > firstWidth_ ? total - firstWidth_ : 0);
}

void ListTable::Refresh() {
  refreshing_ = true;
  SendMessageW(list_, LVM_SETITEMCOUNT, model_->Rows(), LVSICF_NOSCROLL);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (const int32_t row = model_->SelectedRow(); row > 0) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, row - 1, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, row - 1, FALSE);
  }
  InvalidateRect(list_, nullptr, TRUE);
  refreshing_ = false;
  ResizeLastColumn();
}

RECT ListTable::CellRect(int32_t row, int32_t col) const {
  RECT rect{};
  rect.top = col - 1;
  // Column 0's bounds are the whole row; its label part is the cell.
  rect.left = col == 1 ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageW(list_, LVM_GETSUBITEMRECT, row - 1, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

bool ListTable::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->hwndFrom != list_) return false;
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      if (info->item.mask & LVIF_TEXT) {
        const std::wstring& text = model_->CellText(info->item.iItem + 1, info->item.iSubItem + 1);
        info->item.pszText = const_cast<wchar_t*>(text.c_str());
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (refreshing_ || change->iItem < 0) return true;
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED) && events_.selectionChanged)
        events_.selectionChanged(change->iItem + 1, selectedColumn_);
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
      auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
      if (click->iItem >= 0 && click->iSubItem >= 0 && click->iSubItem < columns_) {
        selectedColumn_ = click->iSubItem + 1;
        if (events_.selectionChanged) events_.selectionChanged(click->iItem + 1, selectedColumn_);
        if (header->code == NM_DBLCLK && events_.editRequested) events_.editRequested(click->iItem + 1, selectedColumn_, 0);
      }
      return true;
    }
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
      if (key == VK_LEFT && selectedColumn_ > 1) --selectedColumn_;
      if (key == VK_RIGHT && selectedColumn_ < columns_) ++selectedColumn_;
      if (key == VK_F2 && model_->SelectedRow() > 0 && events_.editRequested)
        events_.editRequested(model_->SelectedRow(), selectedColumn_, 0);
      if (events_.keyDown) events_.keyDown(key);
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK ListTable::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR selfAddress) {
  auto* self = reinterpret_cast<ListTable*>(selfAddress);
  // A printable character typed on a selected row starts editing that cell with it.
  if (message == WM_CHAR && wParam >= 32 && self->events_.editRequested && self->model_->SelectedRow() > 0) {
    self->events_.editRequested(self->model_->SelectedRow(), self->selectedColumn_, static_cast<int32_t>(wParam));
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace mowik
