#pragma once
// mowik.exe's one window, "Mowik - Ustawienia": three tabs of controls made from the layout
// table, "Zapisz" and "Anuluj"; hidden at start, owned by the hidden icon holder that keeps
// the notification-area icon (so it has no task-bar button). It binds the portable handlers
// (voice profiles, dictionary, options) to its controls, reads the clipboard aloud on the hot
// key and the clock on its timer. Windows only.
#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>

#include "mowik/output/sampa_player.h"
#include "mowik/output/vrlplay_library.h"
#include "mowik/platform/program_folder.h"
#include "mowik/shell/dictionary_editor.h"
#include "mowik/shell/general_options.h"
#include "mowik/shell/hot_keys.h"
#include "mowik/shell/icon_holder.h"
#include "mowik/shell/layout_table.h"
#include "mowik/shell/list_table.h"
#include "mowik/shell/message_box_reporter.h"
#include "mowik/shell/shown_settings.h"
#include "mowik/shell/speaker.h"
#include "mowik/shell/voice_profiles.h"
#include "mowik/shell/window_base.h"

namespace mowik {

inline constexpr wchar_t kSettingsWindowClass[] = L"MowikSettingsWindow";
// Posted by a second start of the program: show the window.
inline constexpr UINT kShowSettingsMessage = WM_APP + 1;
// Posted to itself when a hot key is taken by another program: the notice waits until the
// start-up or the save that registered it is over (and the icon is there).
inline constexpr UINT kHotKeyTakenMessage = WM_APP + 3;
// Posted to itself once the icon is up: the player and its voice load then, ahead of the first
// reading, while the reader already answers.
inline constexpr UINT kPreloadMessage = WM_APP + 4;

class SettingsWindow final : public WindowBase,
                             public VoiceProfilesView,
                             public DictionaryView,
                             public OptionsView,
                             public Speaker {
 public:
  SettingsWindow();
  // Start-up: the window and its controls (hidden), the hot key, the settings, the icon.
  bool Start();
  // Whether msg belongs to the window's keyboard navigation (Tab, Esc).
  bool PreTranslate(MSG& msg);

  // VoiceProfilesView.
  int32_t SliderValue(int index) const override;
  void SetSliderValue(int index, int32_t value) override;
  std::wstring VoiceNameText() const override;
  void SetVoiceNameText(const std::wstring& text) override;
  void FocusVoiceNameAllSelected() override;
  void EnableSaveVoice(bool enabled) override;
  void ShowVoicesTable() override;
  int32_t VoiceListSelection() const override;
  void SetVoiceListSelection(int32_t index) override;
  void ClearVoiceList() override;
  void AddVoiceListEntry(const std::wstring& name) override;
  // DictionaryView.
  std::wstring FieldText(int field) const override;
  void SetFieldText(int field, const std::wstring& text) override;
  void FocusField(int field) override;
  void EnableAddEntry(bool enabled) override;
  bool AddEntryEnabled() const override;
  void ShowDictionaryTable() override;
  void FocusDictionaryTable() override;
  void ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) override;
  void HideCellEditor() override;
  void SetCellEditorText(const std::wstring& text) override;
  // OptionsView.
  bool Checked(Option option) const override;
  void SetChecked(Option option, bool checked) override;
  std::wstring IntervalText() const override;
  void SetIntervalText(const std::wstring& text) override;
  void EnableIntervalField(bool enabled) override;
  void EnableClockTimer(bool enabled) override;
  // Speaker: SpeakText through the player, with the options as they are now.
  void Speak(std::wstring text) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  HWND CreateControl(const ControlLayout& control);
  HWND Control(int32_t id) const { return GetDlgItem(window_, id); }
  std::wstring TextOf(int32_t id) const;
  void SetTextQuietly(int32_t id, const std::wstring& text);
  void ShowPage(int page);

  // Handlers of the window's own buttons and menu.
  void OnCommand(int32_t id, int32_t code);
  void OnSave();
  void OnCancel();
  void OnAbout();
  void OnConfigure();
  void OnClose();
  void OnExit();
  void OnTrayEvent(TrayEvent event);
  void OnClockTick();
  void OnHScroll(HWND slider);
  void ToggleVisible();
  void ShowCentred();
  void Shutdown();
  void LoadAll();
  // The hot keys: the stored codes into the controls and registered; the controls back into
  // the stored codes; what a press does.
  void ShowHotKeys();
  void ReadHotKeys();
  void RegisterHotKeys();
  void OnHotKey(int32_t id);
  void OnHotKeyTaken();
  void ReadClipboardAloud();
  // With "Czytaj zaznaczany tekst": the selection of the program in front, the clipboard's
  // earlier text put back; the clipboard when nothing was selected.
  void ReadSelectionAloud();
  static void HotKeyPressed(HWND window, int32_t id);
  static LRESULT CALLBACK FieldSubclass(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);

  ExecutableFolder folder_;
  MessageBoxReporter reporter_;
  VrlplayLibrary library_{reporter_};
  SampaPlayer player_{library_, reporter_};
  VoiceProfiles profiles_;
  DictionaryEditor dictionary_;
  GeneralOptions options_;
  ShownSettings shown_;
  IconHolder holder_;
  ListTable voicesTable_;
  ListTable dictionaryTable_;
  HFONT font_ = nullptr;
  HICON smallIcon_ = nullptr;
  HICON largeIcon_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
  int quiet_ = 0;  // > 0 while the program itself sets a control's text
  bool shownBefore_ = false;
  bool shutDown_ = false;
  bool closeAfterSpeech_ = false;  // a close asked for during a reading
  bool exitAfterSpeech_ = false;   // "Zakończ" during a reading
  std::array<std::optional<HotKeyAction>, 8> hotKeyActions_{};  // by identifier - 1
  std::optional<HotKeyAction> takenKey_;  // the first key another program holds, to tell
  bool takenShown_ = false;               // told once a run
};

}  // namespace mowik
