#pragma once
// The voice profiles of the tab "Profile głosowe": the voice table (name, pitch, duration,
// frequency; row 1 the default profile), the three sliders that edit the selected row and
// feed the live speech parameters, and the voice list of the tab "Ogólne" that chooses the
// profile in use. The handlers are portable; the window binds them to its controls.

#include <cstdint>
#include <string>

#include "mowik/program/table_model.h"
#include "mowik/program/voice_profile.h"
#include "mowik/shell/speaker.h"

namespace mowik {

// The sliders, by index: pitch in percent, speed in tenths, frequency in hertz; the ranges
// and values of the profile's own.
struct SliderRange {
  int32_t minimum, maximum, initial;
};
inline constexpr SliderRange kSliderRanges[3] = {
    {kPitchLimits.lowest, kPitchLimits.highest, kPitchLimits.normal},
    {kDurationLimits.lowest, kDurationLimits.highest, kDurationLimits.normal},
    {kFrequencyLimits.lowest, kFrequencyLimits.highest, kFrequencyLimits.normal}};
// The name and the slider values a new profile gets.
inline constexpr wchar_t kNewVoiceName[] = L"Nowy g\u0142os";

// The controls as the handlers see them. Setters are raw: they change the control and run no
// handler; the handlers run what a change calls for themselves.
class VoiceProfilesView {
 public:
  virtual ~VoiceProfilesView() = default;
  virtual int32_t SliderValue(int index) const = 0;
  // Sets the slider, held within its range.
  virtual void SetSliderValue(int index, int32_t value) = 0;
  virtual std::wstring VoiceNameText() const = 0;
  virtual void SetVoiceNameText(const std::wstring& text) = 0;
  virtual void FocusVoiceNameAllSelected() = 0;
  virtual void EnableSaveVoice(bool enabled) = 0;
  // The voice table's rows or selection changed: show them again.
  virtual void ShowVoicesTable() = 0;
  // The voice list: -1 when no entry is selected.
  virtual int32_t VoiceListSelection() const = 0;
  virtual void SetVoiceListSelection(int32_t index) = 0;
  virtual void ClearVoiceList() = 0;
  virtual void AddVoiceListEntry(const std::wstring& name) = 0;
};

class VoiceProfiles {
 public:
  VoiceProfiles(TableModel& table, VoiceProfilesView& view, Speaker& speaker)
      : table_(table), view_(view), speaker_(speaker) {}

  // What the program sets, with the handler run exactly when the value changes.
  void SelectVoice(int32_t index);
  void SetSlider(int index, int32_t value);
  void SelectTableRow(int32_t row);

  // Handlers.
  // The voice list's selection changed: its row's values become the live parameters.
  void VoiceChosen();
  // The table's selection changed: the name field and the sliders show the row, whose own
  // cells stay as they were.
  void TableSelectionChanged();
  // A slider moved: the live parameters follow all three sliders, and so does the selected
  // row (with no row selected, only the live parameters).
  void SliderChanged();
  // "Nowy": a row "Nowy głos" 100, 10, 16000 at the end, selected and shown; the name ready to
  // be typed over; the voice list rebuilt with the profile in use unchanged.
  void NewProfile();
  // "Zapisz" in the frame: the selected row takes the name and the sliders; nothing without
  // a selected row.
  void StoreEdits();
  void NameChanged();
  // "Słuchaj" in the frame: a random test sentence with the live parameters.
  void Test();
  // A key in the table: Delete removes the selected row, never row 1 and nothing when no row
  // is selected; the row that followed becomes selected.
  void TableKeyDown(int32_t key);

 private:
  void RebuildVoiceList();

  TableModel& table_;
  VoiceProfilesView& view_;
  Speaker& speaker_;
};

}  // namespace mowik
