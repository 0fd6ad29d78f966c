#pragma once
// The settings window's controls as plain values, for the portable handlers' tests. Like the
// real controls, a setter runs no handler; the voice list loses its selection when cleared.
#include <algorithm>
#include <string>
#include <vector>

#include "mowik/shell/dictionary_editor.h"
#include "mowik/shell/general_options.h"
#include "mowik/shell/voice_profiles.h"

namespace mowik::test {

struct RecordingSpeaker : Speaker {
  std::vector<std::wstring> spoken;
  void Speak(std::wstring text) override { spoken.push_back(std::move(text)); }
};

struct FakeVoicesView : VoiceProfilesView {
  int32_t sliders[3] = {100, 10, 16000};
  std::wstring name;
  bool saveEnabled = false;
  bool nameFocused = false;
  std::vector<std::wstring> list;
  int32_t listSelection = -1;

  int32_t SliderValue(int index) const override { return sliders[index]; }
  void SetSliderValue(int index, int32_t value) override {
    sliders[index] = std::clamp(value, kSliderRanges[index].minimum, kSliderRanges[index].maximum);
  }
  std::wstring VoiceNameText() const override { return name; }
  void SetVoiceNameText(const std::wstring& text) override { name = text; }
  void FocusVoiceNameAllSelected() override { nameFocused = true; }
  void EnableSaveVoice(bool enabled) override { saveEnabled = enabled; }
  void ShowVoicesTable() override {}
  int32_t VoiceListSelection() const override { return listSelection; }
  void SetVoiceListSelection(int32_t index) override {
    listSelection = index >= 0 && index < static_cast<int32_t>(list.size()) ? index : -1;
  }
  void ClearVoiceList() override {
    list.clear();
    listSelection = -1;
  }
  void AddVoiceListEntry(const std::wstring& entry) override { list.push_back(entry); }
};

struct FakeDictionaryView : DictionaryView {
  std::wstring fields[2];
  int32_t focusedField = -1;
  bool addEnabled = false;
  bool tableFocused = false;
  bool editorShown = false;
  int32_t editorRow = 0, editorCol = 0;
  EditorStart editor;

  std::wstring FieldText(int field) const override { return fields[field]; }
  void SetFieldText(int field, const std::wstring& text) override { fields[field] = text; }
  void FocusField(int field) override { focusedField = field; }
  void EnableAddEntry(bool enabled) override { addEnabled = enabled; }
  bool AddEntryEnabled() const override { return addEnabled; }
  void ShowDictionaryTable() override {}
  void FocusDictionaryTable() override { tableFocused = true; }
  void ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) override {
    editorShown = true;
    editorRow = row;
    editorCol = col;
    editor = start;
    tableFocused = false;
  }
  void HideCellEditor() override { editorShown = false; }
  void SetCellEditorText(const std::wstring& text) override { editor.text = text; }
};

struct FakeOptionsView : OptionsView {
  bool checks[kOptionCount] = {};
  std::wstring interval;
  bool intervalEnabled = true;
  bool timerEnabled = false;

  bool Checked(Option option) const override { return checks[static_cast<int>(option)]; }
  void SetChecked(Option option, bool checked) override { checks[static_cast<int>(option)] = checked; }
  std::wstring IntervalText() const override { return interval; }
  void SetIntervalText(const std::wstring& text) override { interval = text; }
  void EnableIntervalField(bool enabled) override { intervalEnabled = enabled; }
  void EnableClockTimer(bool enabled) override { timerEnabled = enabled; }
};

}  // namespace mowik::test
