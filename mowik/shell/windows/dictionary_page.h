#pragma once
// The "Słownik" tab as the dictionary editor sees it: the two entry fields, "Dodaj", the
// table and the editor laid over one of its cells. Windows only.
#include "mowik/shell/dictionary_editor.h"
#include "mowik/shell/windows/list_table.h"
#include "mowik/shell/windows/window_controls.h"

namespace mowik {

class DictionaryPage final : public DictionaryView {
 public:
  DictionaryPage(WindowControls& controls, ListTable& table) : controls_(controls), table_(table) {}

  std::wstring FieldText(int field) const override;
  void SetFieldText(int field, const std::wstring& text) override;
  void FocusField(int field) override;
  void EnableAddEntry(bool enabled) override;
  bool AddEntryEnabled() const override;
  void ShowDictionaryTable() override { table_.Refresh(); }
  void FocusDictionaryTable() override;
  void ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) override;
  void HideCellEditor() override;
  void SetCellEditorText(const std::wstring& text) override;

 private:
  WindowControls& controls_;
  ListTable& table_;
};

}  // namespace mowik
