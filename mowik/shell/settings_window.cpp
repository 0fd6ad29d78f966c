#include "mowik/shell/settings_window.h"

#include <commctrl.h>

#include "mowik/frontend/speak_text.h"
#include "mowik/platform/current_options.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/version_text.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/shell/clipboard_text.h"
#include "mowik/shell/hot_key.h"
#include "mowik/shell/load_warning.h"
#include "mowik/shell/save_failure.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

constexpr UINT kCancelEditMessage = WM_APP + 2;
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockMilliseconds = 60000;

int32_t OptionControl(Option option) {
  switch (option) {
    case Option::kSpeakSelected:
      return kIdSpeakSelected;
    case Option::kSpeakNow:
      return kIdSpeakNow;
    case Option::kHotPlayStops:
      return kIdHotPlayStops;
    case Option::kNaturalReading:
      return kIdNaturalReading;
    case Option::kSpellCapital:
      break;
  }
  return kIdSpellCapital;
}

int32_t Modifiers() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

SettingsWindow::SettingsWindow()
    : profiles_(VoicesTable(), *this, *this),
      dictionary_(DictionaryTable(), *this, *this),
      options_(*this, *this),
      shown_(profiles_, *this, options_) {}

bool SettingsWindow::Start() {
  if (HDC screen = GetDC(nullptr)) {
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  largeIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  if (!holder_.Create(smallIcon_, {[this](TrayEvent event) { OnTrayEvent(event); },
                                    [this](int32_t id) { OnCommand(id, 0); }}))
    return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpiX_), TwipsToPixels(kClientHeightTwips, dpiY_)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  if (!CreateBase(kSettingsWindowClass, kWindowTitle, style, exStyle, frame.right - frame.left,
                  frame.bottom - frame.top, holder_.Handle(), smallIcon_))
    return false;
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  reporter_.SetOwner(window_);
  if (!CreateControls()) return false;

  // The start-up sequence: the hook, the tables' first columns at half their width, the
  // settings (whose load registers the hot keys), the icon.
  InstallHotKeyHook(window_, HotKeyPressed);
  voicesTable_.SetFirstColumnWidth(TwipsToPixels(FindLayout(kIdVoicesTable)->box.width / 2, dpiX_));
  dictionaryTable_.SetFirstColumnWidth(TwipsToPixels(FindLayout(kIdDictTable)->box.width / 2, dpiX_));
  LoadAll();
  holder_.AddIcon(L"Mowik");
  PostMessageW(window_, kPreloadMessage, 0, 0);
  return true;
}

bool SettingsWindow::CreateControls() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  for (const ControlLayout& control : SettingsWindowLayout()) {
    HWND created = CreateControl(control);
    if (!created) return false;
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (control.disabled) EnableWindow(created, FALSE);
    if (control.maxLength > 0) SendMessageW(created, EM_LIMITTEXT, control.maxLength, 0);
  }
  // Frames and the tab control lie beneath the controls they hold.
  for (const ControlLayout& control : SettingsWindowLayout())
    if (control.kind == ControlKind::kFrame) SetWindowPos(Control(control.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(Control(kIdTabs), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  for (int32_t id : {kIdDictFind, kIdDictReplace, kIdInterval, kIdCellEditor})
    SetWindowSubclass(Control(id), FieldSubclass, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));
  for (int i = 0; i < 3; ++i) {
    HWND slider = Control(kIdPitch + 2 * i);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kSliderRanges[i].minimum);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kSliderRanges[i].maximum);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPOS, TRUE, kSliderRanges[i].initial);
  }
  SendMessageW(Control(kIdVoiceList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FindLayout(kIdVoiceList)->caption));
  ShowPage(0);
  return true;
}

HWND SettingsWindow::CreateControl(const ControlLayout& control) {
  const Twips box = WindowBox(control);
  int x = TwipsToPixels(box.left, dpiX_), y = TwipsToPixels(box.top, dpiY_);
  int width = TwipsToPixels(box.width, dpiX_), height = TwipsToPixels(box.height, dpiY_);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  const wchar_t* className = L"BUTTON";
  DWORD style = WS_CHILD, exStyle = 0;
  const wchar_t* caption = control.caption ? control.caption : L"";
  switch (control.kind) {
    case ControlKind::kTabs:
      className = WC_TABCONTROLW;
      style |= WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
      break;
    case ControlKind::kFrame:
      // A frame paints only its border and caption: the tab page beneath must paint through.
      style |= BS_GROUPBOX;
      exStyle = WS_EX_TRANSPARENT;
      break;
    case ControlKind::kLabel:
      className = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::kTextField:
    case ControlKind::kShownText:
    case ControlKind::kCellEditor:
      className = L"EDIT";
      exStyle = WS_EX_CLIENTEDGE;
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      if (control.kind == ControlKind::kShownText) style |= ES_READONLY;
      if (control.id == kIdInterval) style |= ES_CENTER;
      break;
    case ControlKind::kCheckBox:
      style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
      break;
    case ControlKind::kHotKey:
      className = HOTKEY_CLASSW;
      style |= WS_TABSTOP;
      caption = L"";
      break;
    case ControlKind::kDropDown:
      className = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height = TwipsToPixels(3000, dpiY_);  // the height of the open list
      break;
    case ControlKind::kSlider:
      className = TRACKBAR_CLASSW;
      style |= TBS_HORZ | TBS_NOTICKS | WS_TABSTOP;
      break;
    case ControlKind::kButton:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kTable: {
      const bool dictionary = control.id == kIdDictTable;
      ListTable& table = dictionary ? dictionaryTable_ : voicesTable_;
      ListTable::Events events;
      if (dictionary) {
        events.selectionChanged = [this](int32_t row, int32_t col) { dictionary_.TableSelectionChanged(row, col); };
        events.keyDown = [this](int32_t key) { dictionary_.TableKeyDown(key); };
        events.editRequested = [this](int32_t row, int32_t col, int32_t c) { dictionary_.EditRequested(row, col, c); };
      } else {
        events.selectionChanged = [this](int32_t row, int32_t) {
          VoicesTable().SetSelectedRow(row);
          profiles_.TableSelectionChanged();
        };
        events.keyDown = [this](int32_t key) { profiles_.TableKeyDown(key); };
      }
      if (!table.Create(window_, control.id, RECT{x, y, x + width, y + height}, dictionary ? DictionaryTable() : VoicesTable(),
                        dictionary ? 2 : 1, dictionary, std::move(events)))
        return nullptr;
      return table.Handle();
    }
  }
  if (control.page == Page::kWindow) style |= WS_VISIBLE;
  HWND created = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, window_, id, instance, nullptr);
  if (created && control.kind == ControlKind::kHotKey) {
    // A key alone, or with Shift alone, would take a letter from every program: Ctrl+Alt is
    // put in front of it. Backspace empties the control ("Brak").
    SendMessageW(created, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  }
  if (created && control.kind == ControlKind::kTabs) {
    for (int page = 0; page < 3; ++page) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(kTabCaptions[page]);
      SendMessageW(created, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
    }
  }
  return created;
}

void SettingsWindow::ShowPage(int page) {
  if (dictionary_.Editing()) dictionary_.EditCancelled();
  for (const ControlLayout& control : SettingsWindowLayout()) {
    if (control.page == Page::kWindow || control.kind == ControlKind::kCellEditor) continue;
    const bool visible = static_cast<int>(control.page) == page + 1;
    ShowWindow(Control(control.id), visible ? SW_SHOWNA : SW_HIDE);
  }
}

bool SettingsWindow::PreTranslate(MSG& msg) {
  return window_ && IsWindowVisible(window_) && IsDialogMessageW(window_, &msg);
}

std::wstring SettingsWindow::TextOf(int32_t id) const {
  HWND control = Control(id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return text;
}

void SettingsWindow::SetTextQuietly(int32_t id, const std::wstring& text) {
  ++quiet_;
  SetWindowTextW(Control(id), text.c_str());
  --quiet_;
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (header->idFrom == kIdTabs && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return 0;
      }
      if (voicesTable_.OnNotify(header, result) || dictionaryTable_.OnNotify(header, result)) return result;
      return Default(message, wParam, lParam);
    }
    case WM_HSCROLL:
      if (lParam) OnHScroll(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kClockTimer) OnClockTick();
      return 0;
    case kCancelEditMessage:
      if (dictionary_.Editing()) dictionary_.EditCancelled();
      return 0;
    case kShowSettingsMessage:
      ShowCentred();
      return 0;
    case kHotKeyTakenMessage:
      OnHotKeyTaken();
      return 0;
    case kPreloadMessage:
      player_.Preload();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      if (wParam) holder_.RemoveIcon();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void SettingsWindow::OnCommand(int32_t id, int32_t code) {
  switch (id) {
    case IDCANCEL:  // Esc
    case kIdCancel:
      if (code == BN_CLICKED) OnCancel();
      return;
    case kIdSave:
      if (code == BN_CLICKED) OnSave();
      return;
    case kMenuAbout:
      OnAbout();
      return;
    case kMenuSettings:
      OnConfigure();
      return;
    case kMenuStopReading:
      player_.StopSpeaking();
      return;
    case kMenuClose:
      OnExit();
      return;
    case kIdDictAdd:
      if (code == BN_CLICKED) dictionary_.AddEntry();
      return;
    case kIdDictTest:
      if (code == BN_CLICKED) dictionary_.Test();
      return;
    case kIdVoiceNew:
      if (code == BN_CLICKED) profiles_.NewProfile();
      return;
    case kIdVoiceTest:
      if (code == BN_CLICKED) profiles_.Test();
      return;
    case kIdVoiceSave:
      if (code == BN_CLICKED) profiles_.StoreEdits();
      return;
    case kIdSpeakSelected:
    case kIdSpeakNow:
    case kIdSpellCapital:
    case kIdHotPlayStops:
      if (code == BN_CLICKED)
        options_.CheckChanged(id == kIdSpeakSelected  ? Option::kSpeakSelected
                              : id == kIdSpeakNow     ? Option::kSpeakNow
                              : id == kIdHotPlayStops ? Option::kHotPlayStops
                                                      : Option::kSpellCapital);
      return;
    case kIdNaturalReading:
      if (code == BN_CLICKED) options_.CheckChanged(Option::kNaturalReading);
      return;
    case kIdVoiceList:
      if (code == CBN_SELCHANGE) profiles_.VoiceChosen();
      return;
    case kIdVoiceName:
      if (code == EN_CHANGE && quiet_ == 0) profiles_.NameChanged();
      return;
    case kIdDictFind:
    case kIdDictReplace:
      if (code == EN_CHANGE && quiet_ == 0) dictionary_.FieldChanged(id - kIdDictFind);
      return;
    case kIdInterval:
      if (code == EN_KILLFOCUS) options_.IntervalValidate();
      return;
    default:
      return;
  }
}

void SettingsWindow::OnHScroll(HWND slider) {
  for (int i = 0; i < 3; ++i)
    if (slider == Control(kIdPitch + 2 * i)) profiles_.SliderChanged();
}

void SettingsWindow::OnSave() {
  if (GetFocus() == Control(kIdInterval)) options_.IntervalValidate();
  ReadHotKeys();
  const SaveResult saved = SaveSettingsReporting(folder_);
  if (!saved.ok) {
    // The edits stay in the window and in effect: nothing is reloaded, nothing hidden.
    MessageBoxW(window_, SaveFailureText(saved).c_str(), L"Mowik", MB_OK | MB_ICONERROR);
    return;
  }
  LoadAll();
  ShowWindow(window_, SW_HIDE);
}

void SettingsWindow::OnCancel() {
  if (dictionary_.Editing()) dictionary_.EditCancelled();
  ShowWindow(window_, SW_HIDE);
}

void SettingsWindow::OnAbout() {
  const std::wstring text = L"Mowiq" + VersionText(false) +
                            L"\r\nPolski lektor: skopiuj tekst i naci\u015bnij Ctrl+Shift+C." +
                            L"\r\n\r\nG\u0142os: syntezator difonowy varelo, odtwarzacz vrlplay.";
  MessageBoxW(IsWindowVisible(window_) ? window_ : holder_.Handle(), text.c_str(), L"Mowik", MB_OK | MB_ICONINFORMATION);
}

void SettingsWindow::OnConfigure() {
  LoadAll();
  ShowCentred();
}

void SettingsWindow::OnExit() {
  // "Zakończ": the icon goes at once and the process ends, once a reading is stopped (see
  // OnClose) and the player's thread has let the sound device go.
  holder_.RemoveIcon();
  if (player_.Speaking()) {
    exitAfterSpeech_ = true;
    player_.StopSpeaking();
    return;
  }
  Shutdown();
  ExitProcess(0);
}

void SettingsWindow::OnClose() {
  // During a reading this runs inside the player's wait, which dispatches the messages: the
  // player must not be unloaded under that wait, and the wait's own loop would take the quit
  // message. The reading is stopped, and the close done once it has returned.
  if (player_.Speaking()) {
    closeAfterSpeech_ = true;
    player_.StopSpeaking();
    return;
  }
  Shutdown();
  DestroyWindow(window_);
  DestroyWindow(holder_.Handle());
  PostQuitMessage(0);
}

void SettingsWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  KillTimer(window_, kClockTimer);
  UnregisterAppHotKeys(window_);
  RemoveHotKeyHook(window_);
  // The player's thread ends before the program does; only when the player was ever loaded.
  if (HMODULE player = GetModuleHandleW(L"vrlplay.dll"))
    if (auto unload = reinterpret_cast<decltype(&VRL_VRLUnload)>(reinterpret_cast<void*>(GetProcAddress(player, "VRL_VRLUnload"))))
      unload();
  holder_.RemoveIcon();
}

void SettingsWindow::OnTrayEvent(TrayEvent event) {
  if (event == TrayEvent::kToggleWindow) ToggleVisible();
  if (event == TrayEvent::kOpenMenu) holder_.OpenMenu(player_.Speaking());
}

void SettingsWindow::ToggleVisible() {
  if (IsWindowVisible(window_))
    ShowWindow(window_, SW_HIDE);
  else
    ShowCentred();
}

void SettingsWindow::ShowCentred() {
  if (!shownBefore_) {
    shownBefore_ = true;
    RECT area{}, own{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window_, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void SettingsWindow::OnClockTick() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  options_.ClockTick(now.wHour, now.wMinute);
}

void SettingsWindow::LoadAll() {
  if (dictionary_.Editing()) dictionary_.EditCancelled();
  const std::wstring warning = SettingsLoadWarning(LoadSettings(folder_, shown_), SettingsPath(folder_));
  options_.SetChecked(Option::kHotPlayStops, HotPlayStops != 0);
  ShowHotKeys();
  RegisterHotKeys();
  voicesTable_.Refresh();
  dictionaryTable_.Refresh();
  if (!warning.empty())
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, warning.c_str(), L"Mowik", MB_OK | MB_ICONWARNING);
}

void SettingsWindow::Speak(std::wstring text) {
  NormaliseOptions options = CurrentNormaliseOptions();
  SpeakText(text, options, player_);
  if (player_.Speaking()) return;  // an inner reading, dropped: the outer one ends the program
  if (exitAfterSpeech_) return OnExit();
  if (closeAfterSpeech_) OnClose();
}

namespace {

int32_t& StoredHotKeyCode(HotKeyAction action) {
  switch (action) {
    case HotKeyAction::kRead:
      return HotPlay;
    case HotKeyAction::kPause:
      return HotPause;
    case HotKeyAction::kStop:
      return HotStop;
    case HotKeyAction::kDate:
      break;
  }
  return HotNow;
}

int32_t HotKeyControl(HotKeyAction action) { return kIdHotKey0 + 2 * static_cast<int32_t>(action); }

}  // namespace

void SettingsWindow::ShowHotKeys() {
  for (HotKeyAction action : kHotKeyActions) {
    const uint16_t word = ControlWordOf(StoredHotKey(action, StoredHotKeyCode(action)));
    SendMessageW(Control(HotKeyControl(action)), HKM_SETHOTKEY, word, 0);
  }
}

void SettingsWindow::ReadHotKeys() {
  for (HotKeyAction action : kHotKeyActions) {
    const auto word = static_cast<uint16_t>(SendMessageW(Control(HotKeyControl(action)), HKM_GETHOTKEY, 0, 0));
    StoredHotKeyCode(action) = StoredCode(action, HotKeyFromControl(word));
  }
}

void SettingsWindow::RegisterHotKeys() {
  UnregisterAppHotKeys(window_);
  hotKeyActions_.fill(std::nullopt);
  for (HotKeyAction action : kHotKeyActions) {
    const std::optional<HotKey> key = StoredHotKey(action, StoredHotKeyCode(action));
    if (!key) continue;
    // MOD_NOREPEAT: a key held down is one press, so the read key cannot stop what it started.
    const BOOL registered = RegisterAppHotKey(window_, key->modifiers | MOD_NOREPEAT, key->key);
    const int32_t id = HotKeyCount();
    if (registered && id >= 1 && id <= static_cast<int32_t>(hotKeyActions_.size()))
      hotKeyActions_[static_cast<size_t>(id - 1)] = action;
    else if (!registered && !takenKey_)
      takenKey_ = action;
  }
  if (takenKey_ && !takenShown_) PostMessageW(window_, kHotKeyTakenMessage, 0, 0);
}

void SettingsWindow::OnHotKeyTaken() {
  if (!takenKey_ || takenShown_) return;
  takenShown_ = true;
  // A balloon at the icon: it tells without stopping anything (a box would hold the reader
  // until answered); without an icon to show it at, a box after all.
  const std::optional<HotKey> key = StoredHotKey(*takenKey_, StoredHotKeyCode(*takenKey_));
  if (key && !holder_.ShowNotice(L"Mowik", HotKeyTakenText(*takenKey_, *key)))
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, HotKeyTakenText(*takenKey_, *key).c_str(), L"Mowik",
                MB_OK | MB_ICONWARNING);
}

void SettingsWindow::HotKeyPressed(HWND window, int32_t id) {
  auto* self = static_cast<SettingsWindow*>(reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
  if (self) self->OnHotKey(id);
}

void SettingsWindow::OnHotKey(int32_t id) {
  if (id < 1 || id > static_cast<int32_t>(hotKeyActions_.size())) return;
  const std::optional<HotKeyAction> action = hotKeyActions_[static_cast<size_t>(id - 1)];
  if (!action) return;
  switch (*action) {
    case HotKeyAction::kRead:
      if (player_.Speaking() && HotPlayStops != 0) return player_.StopSpeaking();
      // While speech plays the bridge drops what comes: no copy of a selection then.
      if (SpeakSelected != 0 && !player_.Speaking()) return ReadSelectionAloud();
      return ReadClipboardAloud();
    case HotKeyAction::kStop:
      player_.StopSpeaking();
      return;
    case HotKeyAction::kDate: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      Speak(DateAndClockText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute));
      return;
    }
    case HotKeyAction::kPause:
      player_.TogglePause();
      return;
  }
}

void SettingsWindow::ReadSelectionAloud() {
  const std::optional<std::wstring> earlier = ReadClipboardText(window_);
  std::optional<std::wstring> selection = CopySelection(window_);
  if (!selection) return ReadClipboardAloud();  // nothing selected: the clipboard as before
  // The user's clipboard as it was: only its text can be put back.
  if (earlier && !earlier->empty()) WriteClipboardText(window_, *earlier);
  Speak(std::move(*selection));
}

void SettingsWindow::ReadClipboardAloud() {
  // A clipboard that another program keeps open gives nothing to speak.
  if (std::optional<std::wstring> text = ReadClipboardText(window_)) Speak(std::move(*text));
}

LRESULT CALLBACK SettingsWindow::FieldSubclass(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR selfAddress) {
  auto* self = reinterpret_cast<SettingsWindow*>(selfAddress);
  const bool entryField = id == kIdDictFind || id == kIdDictReplace;
  const bool editor = id == kIdCellEditor;
  switch (message) {
    case WM_GETDLGCODE:
      // Enter (and in the editor Escape) belong to the field, not to the window's navigation.
      if (editor) return DLGC_WANTALLKEYS | DefSubclassProc(field, message, wParam, lParam);
      if (entryField && lParam && reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN &&
          reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN)
        return DLGC_WANTALLKEYS | DefSubclassProc(field, message, wParam, lParam);
      break;
    case WM_KEYDOWN:
      if (entryField && wParam == VK_RETURN) {
        self->dictionary_.FieldKeyDown(static_cast<int>(id - kIdDictFind), kKeyEnter, Modifiers());
        return 0;
      }
      if (editor && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        self->dictionary_.EditorKeyDown(static_cast<int32_t>(wParam), self->TextOf(kIdCellEditor));
        return 0;
      }
      break;
    case WM_CHAR:
      if (entryField && !DictionaryEditor::FieldTakesChar(static_cast<int32_t>(wParam))) return 0;
      if (editor && (wParam == '\r' || wParam == 27)) return 0;
      if (id == kIdInterval && !IntervalTakesChar(static_cast<int32_t>(wParam))) return 0;
      break;
    case WM_KILLFOCUS:
      // Leaving the editor any way but Enter ends the edit with the cell unchanged; handled
      // once the focus has settled.
      if (editor && self->dictionary_.Editing()) PostMessageW(self->window_, kCancelEditMessage, 0, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

// The views: raw access to the controls, no handler runs from here.

int32_t SettingsWindow::SliderValue(int index) const {
  return static_cast<int32_t>(SendMessageW(Control(kIdPitch + 2 * index), TBM_GETPOS, 0, 0));
}
void SettingsWindow::SetSliderValue(int index, int32_t value) {
  SendMessageW(Control(kIdPitch + 2 * index), TBM_SETPOS, TRUE, value);
}
std::wstring SettingsWindow::VoiceNameText() const { return TextOf(kIdVoiceName); }
void SettingsWindow::SetVoiceNameText(const std::wstring& text) { SetTextQuietly(kIdVoiceName, text); }
void SettingsWindow::FocusVoiceNameAllSelected() {
  SetFocus(Control(kIdVoiceName));
  SendMessageW(Control(kIdVoiceName), EM_SETSEL, 0, -1);
}
void SettingsWindow::EnableSaveVoice(bool enabled) { EnableWindow(Control(kIdVoiceSave), enabled); }
void SettingsWindow::ShowVoicesTable() { voicesTable_.Refresh(); }
int32_t SettingsWindow::VoiceListSelection() const {
  return static_cast<int32_t>(SendMessageW(Control(kIdVoiceList), CB_GETCURSEL, 0, 0));
}
void SettingsWindow::SetVoiceListSelection(int32_t index) {
  SendMessageW(Control(kIdVoiceList), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void SettingsWindow::ClearVoiceList() { SendMessageW(Control(kIdVoiceList), CB_RESETCONTENT, 0, 0); }
void SettingsWindow::AddVoiceListEntry(const std::wstring& name) {
  SendMessageW(Control(kIdVoiceList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::wstring SettingsWindow::FieldText(int field) const { return TextOf(kIdDictFind + field); }
void SettingsWindow::SetFieldText(int field, const std::wstring& text) { SetTextQuietly(kIdDictFind + field, text); }
void SettingsWindow::FocusField(int field) { SetFocus(Control(kIdDictFind + field)); }
void SettingsWindow::EnableAddEntry(bool enabled) { EnableWindow(Control(kIdDictAdd), enabled); }
bool SettingsWindow::AddEntryEnabled() const { return IsWindowEnabled(Control(kIdDictAdd)) != FALSE; }
void SettingsWindow::ShowDictionaryTable() { dictionaryTable_.Refresh(); }
void SettingsWindow::FocusDictionaryTable() {
  if (IsWindowVisible(dictionaryTable_.Handle())) SetFocus(dictionaryTable_.Handle());
}
void SettingsWindow::ShowCellEditor(int32_t row, int32_t col, const EditorStart& start) {
  HWND editor = Control(kIdCellEditor);
  HWND table = dictionaryTable_.Handle();
  RECT cell = dictionaryTable_.CellRect(row, col);
  MapWindowPoints(table, window_, reinterpret_cast<POINT*>(&cell), 2);
  SendMessageW(editor, WM_SETFONT, SendMessageW(table, WM_GETFONT, 0, 0), FALSE);
  SetTextQuietly(kIdCellEditor, start.text);
  SetWindowPos(editor, HWND_TOP, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, SWP_SHOWWINDOW);
  SetFocus(editor);
  SendMessageW(editor, EM_SETSEL, start.selectionStart, start.selectionStart + start.selectionLength);
}
void SettingsWindow::HideCellEditor() {
  HWND editor = Control(kIdCellEditor);
  if (GetFocus() == editor) FocusDictionaryTable();
  ShowWindow(editor, SW_HIDE);
}
void SettingsWindow::SetCellEditorText(const std::wstring& text) { SetTextQuietly(kIdCellEditor, text); }

bool SettingsWindow::Checked(Option option) const {
  return SendMessageW(Control(OptionControl(option)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SettingsWindow::SetChecked(Option option, bool checked) {
  SendMessageW(Control(OptionControl(option)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
std::wstring SettingsWindow::IntervalText() const { return TextOf(kIdInterval); }
void SettingsWindow::SetIntervalText(const std::wstring& text) { SetTextQuietly(kIdInterval, text); }
void SettingsWindow::EnableIntervalField(bool enabled) { EnableWindow(Control(kIdInterval), enabled); }
void SettingsWindow::EnableClockTimer(bool enabled) {
  if (enabled)
    SetTimer(window_, kClockTimer, kClockMilliseconds, nullptr);
  else
    KillTimer(window_, kClockTimer);
}

}  // namespace mowik
