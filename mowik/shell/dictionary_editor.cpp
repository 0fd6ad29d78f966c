#include "mowik/shell/dictionary_editor.h"

namespace mowik {

EditorStart EditorStartFor(const std::wstring& cellText, int32_t typedChar) {
  const auto length = static_cast<int32_t>(cellText.size());
  if (typedChar == 0 || typedChar == kKeyEscape) return {cellText, 0, length};
  return {std::wstring(1, static_cast<wchar_t>(typedChar)) + cellText, 1, length};
}

void DictionaryEditor::FieldChanged(int field) {
  view_.EnableAddEntry(!view_.FieldText(0).empty());
  if (field == 1) testText_ = view_.FieldText(1);
}

void DictionaryEditor::FieldKeyDown(int field, int32_t key, int32_t modifiers) {
  if (key != kKeyEnter) return;
  if (field == 1 && modifiers == 0) {
    if (view_.AddEntryEnabled()) {
      AddEntry();
      view_.FocusField(0);
    }
  } else if (field == 1 && modifiers == kModifierCtrl) {
    Test();
  } else if (field == 0 && view_.AddEntryEnabled()) {
    view_.FocusField(1);
  }
}

void DictionaryEditor::AddEntry() {
  // The button is disabled while field 0 is empty; a stray click then adds nothing.
  if (view_.FieldText(0).empty()) return;
  const int32_t row = table_.AddRow();
  table_.SetCellText(row, 1, view_.FieldText(0));
  table_.SetCellText(row, 2, view_.FieldText(1));
  view_.ShowDictionaryTable();
  view_.SetFieldText(0, L"");
  FieldChanged(0);
  view_.SetFieldText(1, L"");
  FieldChanged(1);
}

void DictionaryEditor::Test() { speaker_.Speak(testText_); }

void DictionaryEditor::TableSelectionChanged(int32_t row, int32_t col) {
  table_.SetSelectedRow(row);
  if (col == 1 || col == 2) selectedColumn_ = col;
  if (table_.SelectedRow() != 0) testText_ = table_.CellText(table_.SelectedRow(), 2);
}

void DictionaryEditor::TableKeyDown(int32_t key) {
  const int32_t row = table_.SelectedRow();
  if (key != kKeyDelete || row == 0) return;
  table_.RemoveRow(row);
  // The selection keeps its number, which now names the row that followed (or the new last
  // row).
  if (table_.SelectedRow() != 0) testText_ = table_.CellText(table_.SelectedRow(), 2);
  view_.ShowDictionaryTable();
}

void DictionaryEditor::EditRequested(int32_t row, int32_t col, int32_t typedChar) {
  if (row < 1 || row > table_.Rows() || col < 1 || col > 2) return;
  TableSelectionChanged(row, col);
  editing_ = true;
  view_.ShowCellEditor(row, col, EditorStartFor(table_.CellText(row, col), typedChar));
}

bool DictionaryEditor::EditorKeyDown(int32_t key, const std::wstring& editorText) {
  if (key == kKeyEnter) {
    // Hiding the editor takes its focus away, which cancels the edit: the text is stored first.
    table_.SetCellText(table_.SelectedRow(), selectedColumn_, editorText);
    editing_ = false;
    view_.ShowDictionaryTable();
    view_.HideCellEditor();
    return true;
  }
  if (key == kKeyEscape) {
    editing_ = false;
    view_.FocusDictionaryTable();
    view_.HideCellEditor();
    return true;
  }
  return false;
}

void DictionaryEditor::EditCancelled() {
  editing_ = false;
  view_.HideCellEditor();
  view_.SetCellEditorText(L"");
  view_.FocusDictionaryTable();
}

}  // namespace mowik
