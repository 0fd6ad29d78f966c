#include "mowik/shell/layout_table.h"

#include <cmath>

namespace mowik {
namespace {

using K = ControlKind;
using P = Page;

// The hot-key labels are as wide as the gap before their fields, so label and field never
// overlap; where two designed rectangles shared one pixel (15 twips: three labels over their
// fields, two pairs of buttons side by side) the first is that much smaller; the slider labels
// are as wide as the name label above them, so "Częstotliwość" fits. The interval
// field starts disabled, as its check box starts clear. The natural reading box spans the
// page below the hot-key frame, wide enough for its caption.
constexpr ControlLayout kLayout[] = {
    {K::kTabs, kIdTabs, "SSTab1", nullptr, {120, 120, 6525, 3855}, P::kWindow},
    {K::kButton, kIdCancel, "plcAnuluj", L"Anuluj", {4080, 4080, 1215, 495}, P::kWindow},
    {K::kButton, kIdSave, "plcOK", L"Zapisz", {5400, 4080, 1215, 495}, P::kWindow},

    {K::kFrame, kIdHotKeyFrame, "Frame1", L"Hot Key", {240, 480, 2895, 2535}, P::kGeneral},
    {K::kLabel, kIdHotKeyLabel0, "Label7", L"Czytaj", {240, 480, 690, 255}, P::kGeneral, kIdHotKeyFrame},
    {K::kHotKey, kIdHotKey0, "txtHotKey0", L"Ctrl + Shift + C", {960, 480, 1695, 285}, P::kGeneral, kIdHotKeyFrame},
    {K::kLabel, kIdHotKeyLabel1, "Label8", L"Pauza", {240, 960, 690, 255}, P::kGeneral, kIdHotKeyFrame},
    {K::kHotKey, kIdHotKey1, "txtHotKey1", L"Brak", {960, 960, 1695, 285}, P::kGeneral, kIdHotKeyFrame},
    {K::kLabel, kIdHotKeyLabel2, "Label9", L"Stop", {240, 1440, 690, 255}, P::kGeneral, kIdHotKeyFrame},
    {K::kHotKey, kIdHotKey2, "txtHotKey2", L"Brak", {960, 1440, 1695, 285}, P::kGeneral, kIdHotKeyFrame},
    {K::kLabel, kIdHotKeyLabel3, "Label10", L"Data", {240, 1920, 690, 255}, P::kGeneral, kIdHotKeyFrame},
    {K::kHotKey, kIdHotKey3, "txtHotKey3", L"Brak", {960, 1920, 1695, 285}, P::kGeneral, kIdHotKeyFrame},
    {K::kCheckBox, kIdSpeakSelected, "pwbSpellSelected", L"Czytaj zaznaczany tekst", {3360, 600, 2895, 255}, P::kGeneral},
    {K::kCheckBox, kIdSpeakNow, "pwbSpellNow", L"Czytaj godzin\u0119 co", {3360, 960, 1575, 255}, P::kGeneral},
    {K::kTextField, kIdInterval, "txtDelay", L"", {5040, 960, 495, 285}, P::kGeneral, kIdNone, true, 3},
    {K::kLabel, kIdMinutes, "Label12", L"minut", {5640, 975, 495, 255}, P::kGeneral},
    {K::kCheckBox, kIdSpellCapital, "pwbSpellCapital", L"Literuj drukowany tekst", {3360, 1320, 2895, 255}, P::kGeneral},
    {K::kCheckBox, kIdHotPlayStops, "pwbHotPlayStops", L"Ponowne naci\u015bni\u0119cie zatrzymuje czytanie", {3360, 1620, 3135, 420}, P::kGeneral},
    {K::kLabel, kIdVoiceLabel, "Label11", L"Wybrany profil g\u0142osowy", {3360, 2160, 2775, 240}, P::kGeneral},
    {K::kDropDown, kIdVoiceList, "cmbVoice", L"<g\u0142os domy\u015blny>", {3360, 2400, 2775, 315}, P::kGeneral},
    {K::kCheckBox, kIdNaturalReading, "pwbNaturalReading", L"Czytaj naturalnie (odmiana liczb, daty, skr\u00F3ty)",
     {240, 3180, 6015, 255}, P::kGeneral},

    {K::kLabel, kIdDictFindLabel, "Label5", L"Zamien z:", {240, 480, 1815, 240}, P::kDictionary},
    {K::kLabel, kIdDictReplaceLabel, "Label6", L"Zamien na:", {2280, 480, 1815, 240}, P::kDictionary},
    {K::kTextField, kIdDictFind, "txtDict0", L"", {240, 720, 1935, 285}, P::kDictionary},
    {K::kTextField, kIdDictReplace, "txtDict1", L"", {2280, 720, 1935, 285}, P::kDictionary},
    {K::kButton, kIdDictAdd, "picUpdateDict", L"Zapisz", {4320, 600, 960, 375}, P::kDictionary, kIdNone, true},
    {K::kButton, kIdDictTest, "plcTestDict", L"S\u0142uchaj", {5280, 600, 975, 375}, P::kDictionary},
    {K::kTable, kIdDictTable, "grdDict", nullptr, {240, 1080, 6015, 2535}, P::kDictionary},
    {K::kCellEditor, kIdCellEditor, "txtEdit", L"Text2", {3360, 2280, 1935, 285}, P::kDictionary},

    {K::kTable, kIdVoicesTable, "grdVoices", nullptr, {240, 600, 2055, 3015}, P::kVoices},
    {K::kFrame, kIdVoiceFrame, "frm1", L"Konfiguracja g\u0142osu", {2520, 480, 3735, 3135}, P::kVoices},
    {K::kLabel, kIdVoiceNameLabel, "Label1", L"Nazwa g\u0142osu", {240, 480, 1215, 255}, P::kVoices, kIdVoiceFrame},
    {K::kTextField, kIdVoiceName, "txtVoiceName", L"", {1560, 480, 1935, 285}, P::kVoices, kIdVoiceFrame, false, 50},
    {K::kLabel, kIdPitchLabel, "Label2", L"Ton g\u0142osu", {240, 1080, 1215, 255}, P::kVoices, kIdVoiceFrame},
    {K::kSlider, kIdPitch, "sldSampa0", nullptr, {1560, 1080, 1935, 255}, P::kVoices, kIdVoiceFrame},
    {K::kLabel, kIdSpeedLabel, "Label3", L"Pr\u0119dko\u015b\u0107", {240, 1560, 1215, 255}, P::kVoices, kIdVoiceFrame},
    {K::kSlider, kIdSpeed, "sldSampa1", nullptr, {1560, 1560, 1935, 255}, P::kVoices, kIdVoiceFrame},
    {K::kLabel, kIdFrequencyLabel, "Label4", L"Cz\u0119stotliwo\u015b\u0107", {240, 2040, 1215, 255}, P::kVoices, kIdVoiceFrame},
    {K::kSlider, kIdFrequency, "sldSampa2", nullptr, {1560, 2040, 1935, 255}, P::kVoices, kIdVoiceFrame},
    {K::kButton, kIdVoiceNew, "plcVoiceNew", L"Nowy", {240, 2520, 975, 375}, P::kVoices, kIdVoiceFrame},
    {K::kButton, kIdVoiceTest, "plcTestVoice", L"S\u0142uchaj", {1560, 2520, 960, 375}, P::kVoices, kIdVoiceFrame},
    {K::kButton, kIdVoiceSave, "plcSaveVoice", L"Zapisz", {2520, 2520, 975, 375}, P::kVoices, kIdVoiceFrame, true},
};

}  // namespace

std::span<const ControlLayout> SettingsWindowLayout() { return kLayout; }

const ControlLayout* FindLayout(int32_t id) {
  for (const ControlLayout& control : kLayout)
    if (control.id == id) return &control;
  return nullptr;
}

Twips WindowBox(const ControlLayout& control) {
  Twips box = control.box;
  if (control.frame != kIdNone) {
    if (const ControlLayout* frame = FindLayout(control.frame)) {
      const Twips outer = WindowBox(*frame);
      box.left += outer.left;
      box.top += outer.top;
    }
  } else if (control.page != Page::kWindow) {
    const Twips tabs = FindLayout(kIdTabs)->box;
    box.left += tabs.left;
    box.top += tabs.top;
  }
  return box;
}

int32_t TwipsToPixels(int32_t twips, int32_t dotsPerInch) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(twips) * dotsPerInch / 1440.0));
}

}  // namespace mowik
