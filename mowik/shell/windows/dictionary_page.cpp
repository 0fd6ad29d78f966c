#include "mowik/shell/windows/dictionary_page.h"

#include "mowik/shell/layout_table.h"

namespace mowik {

std::wstring DictionaryPage::FieldText(int field) const { return controls_.TextOf(kIdDictFind + field); }
void DictionaryPage::SetFieldText(int field, const std::wstring& text) {
  controls_.SetTextQuietly(kIdDictFind + field, text);
}
void DictionaryPage::FocusField(int field) { SetFocus(controls_.Control(kIdDictFind + field)); }
void DictionaryPage::EnableAddEntry(bool enabled) { controls_.Enable(kIdDictAdd, enabled); }
bool DictionaryPage::AddEntryEnabled() const { return IsWindowEnabled(controls_.Control(kIdDictAdd)) != FALSE; }
void DictionaryPage::FocusDictionaryTable() {
  if (IsWindowVisible(table_.Handle())) SetFocus(table_.Handle());
}

void DictionaryPage::ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) {
  HWND editor = controls_.Control(kIdCellEditor);
  HWND table = table_.Handle();
  RECT cell = table_.CellRect(row, col);
  MapWindowPoints(table, controls_.Window(), reinterpret_cast<POINT*>(&cell), 2);
  SendMessageW(editor, WM_SETFONT, SendMessageW(table, WM_GETFONT, 0, 0), FALSE);
  controls_.SetTextQuietly(kIdCellEditor, start.text);
  SetWindowPos(editor, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, SWP_SHOWWINDOW);
  SetFocus(editor);
  SendMessageW(editor, EM_SETSEL, start.selectionStart, start.selectionStart + start.selectionLength);
}

void DictionaryPage::HideCellEditor() {
  HWND editor = controls_.Control(kIdCellEditor);
  if (GetFocus() == editor) FocusDictionaryTable();
  ShowWindow(editor, SW_HIDE);
}

void DictionaryPage::SetCellEditorText(const std::wstring& text) { controls_.SetTextQuietly(kIdCellEditor, text); }

}  // namespace mowik
