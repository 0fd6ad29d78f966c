#include "mowik/shell/windows/settings_window.h"

#include <commctrl.h>

#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/version_text.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/shell/load_warning.h"
#include "mowik/shell/windows/hot_key.h"
#include "mowik/shell/windows/layout_controls.h"
#include "mowik/shell/windows/save_failure.h"

namespace mowik {
namespace {

// Posted to itself when the cell editor lost the focus: the edit ends once the focus settled.
constexpr UINT kCancelEditMessage = WM_APP + 2;
// Posted to itself when a hot key is taken by another program: the notice waits until the
// start-up or the save that registered it is over (and the icon is there).
constexpr UINT kHotKeyTakenMessage = WM_APP + 3;
// Posted to itself once the icon is up: the player and its voice load then, ahead of the first
// reading, while the reader already answers.
constexpr UINT kPreloadMessage = WM_APP + 4;

int32_t Modifiers() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

SettingsWindow::SettingsWindow()
    : profiles_(VoicesTable(), voicesPage_, speech_),
      dictionary_(DictionaryTable(), dictionaryPage_, speech_),
      options_(optionsPage_, speech_),
      shown_(profiles_, voicesPage_, options_) {
  speech_.OnReadingEnded([this] { OnReadingEnded(); });
}

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
  controls_.Attach(window_);
  speech_.SetOwner(window_);
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
    if (control.kind == ControlKind::kFrame)
      SetWindowPos(controls_.Control(control.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(controls_.Control(kIdTabs), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  for (int32_t id : {kIdDictFind, kIdDictReplace, kIdInterval, kIdCellEditor})
    SetWindowSubclass(controls_.Control(id), FieldSubclass, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));
  voicesPage_.Prepare();
  ShowPage(0);
  return true;
}

bool SettingsWindow::CreateTable(const ControlLayout& control, RECT box) {
  const bool dictionary = control.id == kIdDictTable;
  ListTable::Events events;
  if (dictionary) {
    events.selectionChanged = [this](int32_t row, int32_t col) { dictionary_.TableSelectionChanged(row, col); };
    events.keyDown = [this](int32_t key) { dictionary_.TableKeyDown(key); };
    events.editRequested = [this](int32_t row, int32_t col, int32_t c) { dictionary_.EditRequested(row, col, c); };
    return dictionaryTable_.Create(window_, control.id, box, DictionaryTable(), 2, true, std::move(events));
  }
  events.selectionChanged = [this](int32_t row, int32_t) {
    VoicesTable().SetSelectedRow(row);
    profiles_.TableSelectionChanged();
  };
  events.keyDown = [this](int32_t key) { profiles_.TableKeyDown(key); };
  return voicesTable_.Create(window_, control.id, box, VoicesTable(), 1, false, std::move(events));
}

HWND SettingsWindow::CreateControl(const ControlLayout& control) {
  if (control.kind != ControlKind::kTable) return CreateLayoutControl(window_, control, dpiX_, dpiY_);
  const Twips box = WindowBox(control);
  const int x = TwipsToPixels(box.left, dpiX_), y = TwipsToPixels(box.top, dpiY_);
  const RECT rect{x, y, x + TwipsToPixels(box.width, dpiX_), y + TwipsToPixels(box.height, dpiY_)};
  return CreateTable(control, rect) ? controls_.Control(control.id) : nullptr;
}

void SettingsWindow::ShowPage(int page) {
  if (dictionary_.Editing()) dictionary_.EditCancelled();
  for (const ControlLayout& control : SettingsWindowLayout()) {
    if (control.page == Page::kWindow || control.kind == ControlKind::kCellEditor) continue;
    const bool visible = static_cast<int>(control.page) == page + 1;
    ShowWindow(controls_.Control(control.id), visible ? SW_SHOWNA : SW_HIDE);
  }
}

bool SettingsWindow::PreTranslate(MSG& msg) {
  return window_ && IsWindowVisible(window_) && IsDialogMessageW(window_, &msg);
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
      return result;
    case WM_HSCROLL:
      if (lParam && voicesPage_.SliderIndex(reinterpret_cast<HWND>(lParam)) >= 0) profiles_.SliderChanged();
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
      speech_.Preload();
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

void SettingsWindow::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->idFrom == kIdTabs && header->code == TCN_SELCHANGE)
    return ShowPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
  if (voicesTable_.OnNotify(header, result) || dictionaryTable_.OnNotify(header, result)) return;
  result = Default(WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void SettingsWindow::OnCommand(int32_t id, int32_t code) {
  const bool clicked = code == BN_CLICKED;
  if (const std::optional<Option> option = OptionsPage::OptionOfControl(id)) {
    if (clicked) options_.CheckChanged(*option);
    return;
  }
  switch (id) {
    case IDCANCEL:  // Esc
    case kIdCancel:
      if (clicked) OnCancel();
      return;
    case kIdSave:
      if (clicked) OnSave();
      return;
    case kMenuAbout:
      return OnAbout();
    case kMenuSettings:
      return OnConfigure();
    case kMenuStopReading:
      return speech_.Stop();
    case kMenuClose:
      return OnExit();
    case kIdDictAdd:
      if (clicked) dictionary_.AddEntry();
      return;
    case kIdDictTest:
      if (clicked) dictionary_.Test();
      return;
    case kIdVoiceNew:
      if (clicked) profiles_.NewProfile();
      return;
    case kIdVoiceTest:
      if (clicked) profiles_.Test();
      return;
    case kIdVoiceSave:
      if (clicked) profiles_.StoreEdits();
      return;
    case kIdVoiceList:
      if (code == CBN_SELCHANGE) profiles_.VoiceChosen();
      return;
    case kIdVoiceName:
      if (code == EN_CHANGE && !controls_.Quiet()) profiles_.NameChanged();
      return;
    case kIdDictFind:
    case kIdDictReplace:
      if (code == EN_CHANGE && !controls_.Quiet()) dictionary_.FieldChanged(id - kIdDictFind);
      return;
    case kIdInterval:
      if (code == EN_KILLFOCUS) options_.IntervalValidate();
      return;
    default:
      return;
  }
}

void SettingsWindow::OnSave() {
  if (GetFocus() == controls_.Control(kIdInterval)) options_.IntervalValidate();
  optionsPage_.ReadHotKeys();
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
  if (speech_.Speaking()) {
    exitAfterSpeech_ = true;
    speech_.Stop();
    return;
  }
  Shutdown();
  ExitProcess(0);
}

void SettingsWindow::OnClose() {
  // During a reading this runs inside the player's wait, which dispatches the messages: the
  // player must not be unloaded under that wait, and the wait's own loop would take the quit
  // message. The reading is stopped, and the close done once it has returned.
  if (speech_.Speaking()) {
    closeAfterSpeech_ = true;
    speech_.Stop();
    return;
  }
  Shutdown();
  DestroyWindow(window_);
  DestroyWindow(holder_.Handle());
  PostQuitMessage(0);
}

void SettingsWindow::OnReadingEnded() {
  if (exitAfterSpeech_) return OnExit();
  if (closeAfterSpeech_) OnClose();
}

void SettingsWindow::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  KillTimer(window_, kClockTimer);
  UnregisterAppHotKeys(window_);
  RemoveHotKeyHook(window_);
  speech_.Unload();  // the player's thread ends before the program does
  holder_.RemoveIcon();
}

void SettingsWindow::OnTrayEvent(TrayEvent event) {
  if (event == TrayEvent::kToggleWindow) ToggleVisible();
  if (event == TrayEvent::kOpenMenu) holder_.OpenMenu(speech_.Speaking());
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
  optionsPage_.ShowHotKeys();
  if (hotKeys_.Register(window_)) PostMessageW(window_, kHotKeyTakenMessage, 0, 0);
  voicesTable_.Refresh();
  dictionaryTable_.Refresh();
  if (!warning.empty())
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, warning.c_str(), L"Mowik", MB_OK | MB_ICONWARNING);
}

void SettingsWindow::OnHotKeyTaken() {
  const std::optional<std::wstring> notice = hotKeys_.TakeTakenNotice();
  if (!notice) return;
  // A balloon at the icon: it tells without stopping anything (a box would hold the reader
  // until answered); without an icon to show it at, a box after all.
  if (!holder_.ShowNotice(L"Mowik", *notice))
    MessageBoxW(IsWindowVisible(window_) ? window_ : nullptr, notice->c_str(), L"Mowik", MB_OK | MB_ICONWARNING);
}

void SettingsWindow::HotKeyPressed(HWND window, int32_t id) {
  auto* self = static_cast<SettingsWindow*>(reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
  if (self) self->OnHotKey(id);
}

void SettingsWindow::OnHotKey(int32_t id) {
  const std::optional<HotKeyAction> action = hotKeys_.ActionOf(id);
  if (!action) return;
  switch (*action) {
    case HotKeyAction::kRead:
      if (speech_.Speaking() && HotPlayStops != 0) return speech_.Stop();
      // While speech plays the bridge drops what comes: no copy of a selection then.
      if (SpeakSelected != 0 && !speech_.Speaking()) return speech_.ReadSelection();
      return speech_.ReadClipboard();
    case HotKeyAction::kStop:
      return speech_.Stop();
    case HotKeyAction::kDate: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      return speech_.Speak(DateAndClockText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute));
    }
    case HotKeyAction::kPause:
      return speech_.TogglePause();
  }
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
        self->dictionary_.EditorKeyDown(static_cast<int32_t>(wParam), self->controls_.TextOf(kIdCellEditor));
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

}  // namespace mowik
