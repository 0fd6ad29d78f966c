#include "mowik/shell/windows/voices_page.h"

#include <commctrl.h>

#include "mowik/shell/layout_table.h"

namespace mowik {
namespace {

int32_t SliderId(int index) { return kIdPitch + 2 * index; }

}  // namespace

void VoicesPage::Prepare() {
  for (int i = 0; i < 3; ++i) {
    controls_.Send(SliderId(i), TBM_SETRANGEMIN, FALSE, kSliderRanges[i].minimum);
    controls_.Send(SliderId(i), TBM_SETRANGEMAX, FALSE, kSliderRanges[i].maximum);
    controls_.Send(SliderId(i), TBM_SETLINESIZE, 0, 1);
    controls_.Send(SliderId(i), TBM_SETPAGESIZE, 0, 1);
    controls_.Send(SliderId(i), TBM_SETPOS, TRUE, kSliderRanges[i].initial);
  }
  controls_.Send(kIdVoiceList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FindLayout(kIdVoiceList)->caption));
}

int VoicesPage::SliderIndex(HWND slider) const {
  for (int i = 0; i < 3; ++i)
    if (slider == controls_.Control(SliderId(i))) return i;
  return -1;
}

int32_t VoicesPage::SliderValue(int index) const {
  return static_cast<int32_t>(controls_.Send(SliderId(index), TBM_GETPOS));
}
void VoicesPage::SetSliderValue(int index, int32_t value) { controls_.Send(SliderId(index), TBM_SETPOS, TRUE, value); }
std::wstring VoicesPage::VoiceNameText() const { return controls_.TextOf(kIdVoiceName); }
void VoicesPage::SetVoiceNameText(const std::wstring& text) { controls_.SetTextQuietly(kIdVoiceName, text); }
void VoicesPage::FocusVoiceNameAllSelected() {
  SetFocus(controls_.Control(kIdVoiceName));
  controls_.Send(kIdVoiceName, EM_SETSEL, 0, -1);
}
void VoicesPage::EnableSaveVoice(bool enabled) { controls_.Enable(kIdVoiceSave, enabled); }
int32_t VoicesPage::VoiceListSelection() const { return static_cast<int32_t>(controls_.Send(kIdVoiceList, CB_GETCURSEL)); }
void VoicesPage::SetVoiceListSelection(int32_t index) {
  controls_.Send(kIdVoiceList, CB_SETCURSEL, static_cast<WPARAM>(index));
}
void VoicesPage::ClearVoiceList() { controls_.Send(kIdVoiceList, CB_RESETCONTENT); }
void VoicesPage::AddVoiceListEntry(const std::wstring& name) {
  controls_.Send(kIdVoiceList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

}  // namespace mowik
