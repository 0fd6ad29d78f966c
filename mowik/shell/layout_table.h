#pragma once
// The settings window's controls, described once: kind, id, name, caption or first text,
// rectangle in twips (1/1440 inch) relative to the tab page or frame that holds it. The
// window creates its controls from this table; positions turn into pixels with the screen's
// real dots per inch.

#include <cstdint>
#include <span>

namespace mowik {

enum class ControlKind {
  kTabs,        // the tab control; its pages are listed in kTabCaptions
  kFrame,       // a titled group box
  kLabel,
  kTextField,
  kShownText,   // a read-only text field
  kCheckBox,
  kDropDown,    // a drop-down list
  kSlider,
  kButton,
  kTable,       // a grid of text cells without a header row
  kCellEditor,  // the hidden in-place editor of the dictionary table
  kHotKey,      // the standard hot-key control: records a key combination
};

// Where a control lives: the window itself or one page of the tab control.
enum class Page { kWindow, kGeneral, kDictionary, kVoices };

enum ControlId : int32_t {
  kIdNone = 0,
  kIdTabs = 100, kIdCancel, kIdSave,
  kIdHotKeyFrame = 200, kIdHotKeyLabel0, kIdHotKey0, kIdHotKeyLabel1, kIdHotKey1, kIdHotKeyLabel2,
  kIdHotKey2, kIdHotKeyLabel3, kIdHotKey3, kIdSpeakSelected, kIdSpeakNow, kIdInterval, kIdMinutes,
  kIdSpellCapital, kIdVoiceLabel, kIdVoiceList, kIdHotPlayStops, kIdNaturalReading,
  kIdDictFindLabel = 300, kIdDictReplaceLabel, kIdDictFind, kIdDictReplace, kIdDictAdd, kIdDictTest,
  kIdDictTable, kIdCellEditor,
  kIdVoicesTable = 400, kIdVoiceFrame, kIdVoiceNameLabel, kIdVoiceName, kIdPitchLabel, kIdPitch,
  kIdSpeedLabel, kIdSpeed, kIdFrequencyLabel, kIdFrequency, kIdVoiceNew, kIdVoiceTest, kIdVoiceSave,
};

struct Twips {
  int32_t left, top, width, height;
};

struct ControlLayout {
  ControlKind kind;
  int32_t id;
  const char* name;
  const wchar_t* caption;
  Twips box;            // relative to the page (or the frame, when frame is set)
  Page page;
  int32_t frame = kIdNone;
  bool disabled = false;  // at start
  int32_t maxLength = 0;  // text fields: at most this many characters (0: no limit)
};

// The window's client area, in twips.
inline constexpr int32_t kClientWidthTwips = 6735;
inline constexpr int32_t kClientHeightTwips = 4695;
inline constexpr const wchar_t* kTabCaptions[3] = {L"Og\u00f3lne  ", L"S\u0142ownik  ", L"Profile g\u0142osowe  "};
inline constexpr const wchar_t kWindowTitle[] = L"Mowik - Ustawienia";

std::span<const ControlLayout> SettingsWindowLayout();
// The control with that id; nullptr when there is none.
const ControlLayout* FindLayout(int32_t id);

// The control's rectangle in the window's client area, in twips: the page's controls sit
// inside the tab control, a frame's inside the frame.
Twips WindowBox(const ControlLayout& control);

// Twips to pixels at the given dots per inch, to the nearest pixel (a half to the even one).
int32_t TwipsToPixels(int32_t twips, int32_t dotsPerInch);

}  // namespace mowik
