#pragma once
// The replacement dictionary of the tab "Słownik": two entry fields (text to find,
// replacement) with "Zapisz" and "Słuchaj", the dictionary table itself, and its in-place cell
// editor. The handlers are portable; the window binds them to its controls.

#include <cstdint>
#include <string>

#include "mowik/program/table_model.h"
#include "mowik/shell/speaker.h"

namespace mowik {

// Key codes and modifier states the handlers look at.
inline constexpr int32_t kKeyEnter = 13;
inline constexpr int32_t kKeyEscape = 27;
inline constexpr int32_t kKeyDelete = 46;
inline constexpr int32_t kModifierCtrl = 2;

// What the editor shows when it opens: its text and the selected part of it.
struct EditorStart {
  std::wstring text;
  int32_t selectionStart = 0;
  int32_t selectionLength = 0;
};

// Opening on cellText: with no typed character (0) or Escape (27), the text all selected;
// otherwise the typed character in front of the text, the old text selected so that further
// typing replaces it.
EditorStart EditorStartFor(const std::wstring& cellText, int32_t typedChar);

// The controls as the handlers see them. Setters are raw: they run no handler.
class DictionaryView {
 public:
  virtual ~DictionaryView() = default;
  // Field 0: the text to find; field 1: the replacement.
  virtual std::wstring FieldText(int field) const = 0;
  virtual void SetFieldText(int field, const std::wstring& text) = 0;
  virtual void FocusField(int field) = 0;
  virtual void EnableAddEntry(bool enabled) = 0;
  virtual bool AddEntryEnabled() const = 0;
  // The table's rows, cells or selection changed: show them again.
  virtual void ShowDictionaryTable() = 0;
  virtual void FocusDictionaryTable() = 0;
  // The in-place editor over cell (row, col), with its start, above the table and focused.
  virtual void ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) = 0;
  virtual void HideCellEditor() = 0;
  virtual void SetCellEditorText(const std::wstring& text) = 0;
};

class DictionaryEditor {
 public:
  DictionaryEditor(TableModel& table, DictionaryView& view, Speaker& speaker)
      : table_(table), view_(view), speaker_(speaker) {}

  // The table's selected column (1 or 2), which the editor's Enter writes to.
  int32_t SelectedColumn() const { return selectedColumn_; }
  // The text "Słuchaj" will speak.
  const std::wstring& TestText() const { return testText_; }

  // The text of field 0 or 1 changed: "Zapisz" enabled exactly when field 0 is not empty; a
  // change of field 1 makes its text the one "Słuchaj" speaks.
  void FieldChanged(int field);
  // Enter in field 1 adds the entry (when it can) and goes back to field 0; Ctrl+Enter in
  // field 1 speaks it; Enter in field 0 goes on to field 1 when an entry can be added.
  void FieldKeyDown(int field, int32_t key, int32_t modifiers);
  // Whether a typed character reaches the field: a carriage return does not.
  static bool FieldTakesChar(int32_t ch) { return ch != kKeyEnter; }
  // "Zapisz": a row at the end from the two fields, which are emptied.
  void AddEntry();
  void Test();
  // The table selected a cell: the row's replacement is what "Słuchaj" speaks.
  void TableSelectionChanged(int32_t row, int32_t col);
  // Delete removes the selected row (nothing when none is selected); the row that followed
  // becomes selected.
  void TableKeyDown(int32_t key);
  // The table asks to edit a cell, with the character that started the edit (0 when none).
  void EditRequested(int32_t row, int32_t col, int32_t typedChar);
  // A key in the editor: Enter stores the editor's text in the selected cell and closes it;
  // Escape closes it and leaves the cell. True when the key was one of them.
  bool EditorKeyDown(int32_t key, const std::wstring& editorText);
  // The editor lost the focus (or any other end of editing): closed, the cell unchanged.
  void EditCancelled();
  bool Editing() const { return editing_; }

 private:
  TableModel& table_;
  DictionaryView& view_;
  Speaker& speaker_;
  std::wstring testText_;
  int32_t selectedColumn_ = 1;
  bool editing_ = false;
};

}  // namespace mowik
