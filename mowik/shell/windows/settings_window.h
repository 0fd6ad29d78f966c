#pragma once
// mowik.exe's one window, "Mowik - Ustawienia": three tabs of controls made from the layout
// table, "Zapisz" and "Anuluj"; hidden at start, owned by the hidden icon holder that keeps
// the notification-area icon (so it has no task-bar button). The window creates the
// controls, routes their messages to the portable handlers (through the page adapters) and
// the hot keys to the reader's speech, and shows and hides itself. Windows only.
#include <windows.h>

#include "mowik/platform/program_folder.h"
#include "mowik/shell/dictionary_editor.h"
#include "mowik/shell/general_options.h"
#include "mowik/shell/layout_table.h"
#include "mowik/shell/reader_contract.h"
#include "mowik/shell/shown_settings.h"
#include "mowik/shell/voice_profiles.h"
#include "mowik/shell/windows/dictionary_page.h"
#include "mowik/shell/windows/icon_holder.h"
#include "mowik/shell/windows/list_table.h"
#include "mowik/shell/windows/options_page.h"
#include "mowik/shell/windows/reader_speech.h"
#include "mowik/shell/windows/registered_hot_keys.h"
#include "mowik/shell/windows/voices_page.h"
#include "mowik/shell/windows/window_base.h"
#include "mowik/shell/windows/window_controls.h"

namespace mowik {

class SettingsWindow final : public WindowBase {
 public:
  SettingsWindow();
  // Start-up: the window and its controls (hidden), the hot keys, the settings, the icon.
  bool Start();
  // Whether msg belongs to the window's keyboard navigation (Tab, Esc).
  bool PreTranslate(MSG& msg);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  HWND CreateControl(const ControlLayout& control);
  bool CreateTable(const ControlLayout& control, RECT box);
  void ShowPage(int page);

  void OnCommand(int32_t id, int32_t code);
  void OnNotify(NMHDR* header, LRESULT& result);
  void OnSave();
  void OnCancel();
  void OnAbout();
  void OnConfigure();
  void OnClose();
  void OnExit();
  void OnReadingEnded();
  void OnTrayEvent(TrayEvent event);
  void OnClockTick();
  void OnHotKey(int32_t id);
  void OnHotKeyTaken();
  void ToggleVisible();
  void ShowCentred();
  void Shutdown();
  // The settings file into the window (its handlers and controls), the hot keys registered.
  void LoadAll();
  static void HotKeyPressed(HWND window, int32_t id);
  static LRESULT CALLBACK FieldSubclass(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self);

  ExecutableFolder folder_;
  ReaderSpeech speech_;
  WindowControls controls_;
  ListTable voicesTable_;
  ListTable dictionaryTable_;
  VoicesPage voicesPage_{controls_, voicesTable_};
  DictionaryPage dictionaryPage_{controls_, dictionaryTable_};
  OptionsPage optionsPage_{controls_};
  VoiceProfiles profiles_;
  DictionaryEditor dictionary_;
  GeneralOptions options_;
  ShownSettings shown_;
  RegisteredHotKeys hotKeys_;
  IconHolder holder_;
  HFONT font_ = nullptr;
  HICON smallIcon_ = nullptr;
  HICON largeIcon_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
  bool shownBefore_ = false;
  bool shutDown_ = false;
  bool closeAfterSpeech_ = false;  // a close asked for during a reading
  bool exitAfterSpeech_ = false;   // "Zakończ" during a reading
};

}  // namespace mowik
