#include "mowik/shell/voice_profiles.h"

#include <algorithm>

#include "mowik/program/main_module.h"
#include "mowik/program/random_between.h"
#include "mowik/program/voice_profile.h"

namespace mowik {
namespace {
constexpr int32_t kDeleteKey = 46;

// The profile's value that slider index shows.
int32_t ValueForSlider(const VoiceProfile& profile, int index) {
  return index == 0 ? profile.pitch : index == 1 ? profile.duration : profile.frequency;
}
}  // namespace

void VoiceProfiles::SelectVoice(int32_t index) {
  if (view_.VoiceListSelection() == index) return;
  view_.SetVoiceListSelection(index);
  VoiceChosen();
}

void VoiceProfiles::SetSlider(int index, int32_t value) {
  const SliderRange& range = kSliderRanges[index];
  value = std::clamp(value, range.minimum, range.maximum);
  if (view_.SliderValue(index) == value) return;
  view_.SetSliderValue(index, value);
  SliderChanged();
}

void VoiceProfiles::SelectTableRow(int32_t row) {
  table_.SetSelectedRow(row);
  view_.ShowVoicesTable();
  TableSelectionChanged();
}

void VoiceProfiles::VoiceChosen() {
  const int32_t index = view_.VoiceListSelection();
  const int32_t row = index + 1;
  // No entry selected, or an entry whose row was removed since the list was built: the live
  // parameters stay as they are.
  if (index < 0 || row > table_.Rows()) return;
  const std::wstring pitch = table_.CellText(row, 2), duration = table_.CellText(row, 3), frequency = table_.CellText(row, 4);
  ApplyVoiceRatios(RatiosOfCells({pitch, duration, frequency}));
  CurrentVoice = static_cast<int16_t>(index);
}

void VoiceProfiles::TableSelectionChanged() {
  const int32_t row = table_.SelectedRow();
  if (row == 0) return;
  // The slider handler writes all three sliders into the row as each one moves; the row keeps
  // the values it had, exactly as written.
  const std::wstring kept[3] = {table_.CellText(row, 2), table_.CellText(row, 3), table_.CellText(row, 4)};
  view_.SetVoiceNameText(table_.CellText(row, 1));
  NameChanged();
  const VoiceProfile shown = SliderValuesOfCells({kept[0], kept[1], kept[2]});
  for (int i = 0; i < 3; ++i) SetSlider(i, ValueForSlider(shown, i));
  for (int i = 0; i < 3; ++i) table_.SetCellText(row, i + 2, kept[i]);
  view_.ShowVoicesTable();
}

void VoiceProfiles::SliderChanged() {
  ApplyVoiceProfile({view_.SliderValue(0), view_.SliderValue(1), view_.SliderValue(2)});
  const int32_t row = table_.SelectedRow();
  if (row == 0) return;
  for (int i = 0; i < 3; ++i) table_.SetCellText(row, i + 2, std::to_wstring(view_.SliderValue(i)));
  view_.ShowVoicesTable();
}

void VoiceProfiles::NewProfile() {
  const int32_t row = table_.AddRow();
  table_.SetCellText(row, 1, kNewVoiceName);
  for (int i = 0; i < 3; ++i) table_.SetCellText(row, i + 2, std::to_wstring(kSliderRanges[i].initial));
  SelectTableRow(row);
  view_.FocusVoiceNameAllSelected();
  RebuildVoiceList();
}

void VoiceProfiles::StoreEdits() {
  const int32_t row = table_.SelectedRow();
  if (row == 0) return;
  table_.SetCellText(row, 1, view_.VoiceNameText());
  for (int i = 0; i < 3; ++i) table_.SetCellText(row, i + 2, std::to_wstring(view_.SliderValue(i)));
  view_.ShowVoicesTable();
  RebuildVoiceList();
}

void VoiceProfiles::NameChanged() { view_.EnableSaveVoice(!view_.VoiceNameText().empty()); }

void VoiceProfiles::Test() { speaker_.Speak(TestSentences[static_cast<size_t>(RandomBetween(0, 9))]); }

void VoiceProfiles::TableKeyDown(int32_t key) {
  const int32_t row = table_.SelectedRow();
  if (key != kDeleteKey || row <= 1) return;
  table_.RemoveRow(row);
  // The table keeps the selection's number, which now names the row that followed (or the
  // new last row): show it.
  view_.ShowVoicesTable();
  TableSelectionChanged();
}

void VoiceProfiles::RebuildVoiceList() {
  view_.ClearVoiceList();
  for (int32_t row = 1; row <= table_.Rows(); ++row) view_.AddVoiceListEntry(table_.CellText(row, 1));
  // The list is empty now: selecting the profile in use again applies it. A stored index
  // beyond the list falls back to the default profile.
  const int32_t index = CurrentVoice >= 0 && CurrentVoice < table_.Rows() ? CurrentVoice : (table_.Rows() > 0 ? 0 : -1);
  SelectVoice(index);
}

}  // namespace mowik
