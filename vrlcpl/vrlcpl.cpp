// VrlCpl.exe: the engine's control panel. Lists the registered voice databases (id, label,
// path, which is the default) and lets the user add one, remove one, make one the default and
// try one. All changes go through vrlplay.dll, so the panel and the player share one list.
// The command line may hold the owner window's handle; the exit code is 0.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "vrlcpl/owner_argument.h"
#include "vrlplay/vrlplay.h"
#include "win32/ansi_text.h"

namespace {

enum Control : int {
  kList = 100,
  kId,
  kLabel,
  kPath,
  kBrowse,
  kAdd,
  kRemove,
  kMakeDefault,
  kTry,
  kClose,
  kStatus,
};

// "Dzień dobry." as the player's phoneme text.
constexpr char kTryPhrase[] =
    "_ 150 0 120\ndz' 70 0 125\ne 110 0 130\nn' 80 0 128\nd 50 0 124\no 120 0 122\n"
    "b 50 0 118\nr 45 0 112\nI 160 0 100\n_ 200 0 95\n";

HWND g_window = nullptr;
HFONT g_font = nullptr;

// The player's text is in the ANSI code page, as are the values typed here once converted.
std::wstring Wide(const std::string& text) { return mowik::win32::WideFromAnsi(text); }
std::string Narrow(const std::wstring& text) { return mowik::win32::AnsiFromWide(text); }

std::wstring ControlText(int id) {
  HWND control = GetDlgItem(g_window, id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(wcslen(text.c_str()));
  return text;
}

void SetStatus(const std::wstring& text) { SetDlgItemTextW(g_window, kStatus, text.c_str()); }

std::string PlayerError() {
  char text[512] = {};
  VRL_LastError(text, sizeof text);
  return text;
}

// Ids in list order, as the registry enumerates them.
std::vector<std::string> Ids() {
  std::vector<std::string> ids;
  char id[64];
  for (int index = 0; VRL_RegIdxGetDatabaseId(index, id, sizeof id) == 0; ++index) ids.emplace_back(id);
  return ids;
}

std::string SelectedId() {
  const LRESULT index = SendDlgItemMessageW(g_window, kList, LB_GETCURSEL, 0, 0);
  const std::vector<std::string> ids = Ids();
  return index >= 0 && static_cast<size_t>(index) < ids.size() ? ids[static_cast<size_t>(index)] : std::string();
}

void Refresh() {
  HWND list = GetDlgItem(g_window, kList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  char defaultId[64] = {};
  const bool hasDefault = VRL_RegGetDefaultDatabase(defaultId, sizeof defaultId) == 0;
  for (const std::string& id : Ids()) {
    char label[64] = {};
    char path[MAX_PATH] = {};
    VRL_RegGetDatabaseLabel(id.c_str(), label, sizeof label);
    VRL_RegGetDatabasePath(id.c_str(), path, sizeof path);
    std::wstring row = Wide(id) + L"\t" + Wide(label) + L"\t" + Wide(path);
    if (hasDefault && lstrcmpiA(defaultId, id.c_str()) == 0) row += L"\t(domyślna)";
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
}

void Browse() {
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = g_window;
  dialog.lpstrFilter = L"Bazy głosów\0*.*\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = L"Wybierz plik bazy głosu";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&dialog)) SetDlgItemTextW(g_window, kPath, file);
}

void Add() {
  const std::string id = Narrow(ControlText(kId));
  const std::string label = Narrow(ControlText(kLabel));
  const std::string path = Narrow(ControlText(kPath));
  if (id.empty() || path.empty()) {
    SetStatus(L"Podaj identyfikator i plik bazy.");
    return;
  }
  const bool first = VRL_RegGetDatabaseCount() <= 0;
  char registered[64] = {};
  if (VRL_RegisterDatabase(id.c_str(), path.c_str(), label.c_str(), first ? 1 : 0, registered, sizeof registered) != 1) {
    SetStatus(L"Nie można zarejestrować bazy (identyfikator do 31 znaków, bez \\; potrzebne uprawnienia).");
    return;
  }
  SetStatus(L"Zarejestrowano: " + Wide(registered));
  Refresh();
}

void Remove() {
  const std::string id = SelectedId();
  if (id.empty()) {
    SetStatus(L"Zaznacz bazę na liście.");
    return;
  }
  VRL_UnregisterDatabase(id.c_str());
  SetStatus(VRL_DatabaseExist(id.c_str()) ? L"Nie można usunąć: " + Wide(id) : L"Usunięto: " + Wide(id));
  Refresh();
}

void MakeDefault() {
  const std::string id = SelectedId();
  if (id.empty()) {
    SetStatus(L"Zaznacz bazę na liście.");
    return;
  }
  SetStatus(VRL_RegSetDefaultDatabase(id.c_str()) == 1 ? L"Domyślna: " + Wide(id)
                                                        : L"Nie można ustawić domyślnej bazy.");
  Refresh();
}

void Try() {
  const std::string id = SelectedId();
  if (id.empty()) {
    SetStatus(L"Zaznacz bazę na liście.");
    return;
  }
  SetStatus(L"Mówię...");
  if (VRL_SetDatabase(id.c_str()) != 0 || VRL_Play(kTryPhrase, VRL_WAIT, nullptr, nullptr) != 0) {
    SetStatus(Wide(PlayerError()));
    return;
  }
  SetStatus(L"Gotowe.");
}

HWND AddControl(const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int width, int height, int id) {
  HWND control = CreateWindowExW(kind == std::wstring(L"EDIT") || kind == std::wstring(L"LISTBOX") ? WS_EX_CLIENTEDGE : 0,
                                 kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, g_window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), TRUE);
  return control;
}

void CreateControls() {
  AddControl(L"STATIC", L"Zarejestrowane bazy głosów (identyfikator, nazwa, plik):", 0, 10, 10, 520, 18, -1);
  HWND list = AddControl(L"LISTBOX", L"", WS_VSCROLL | WS_TABSTOP | LBS_USETABSTOPS | LBS_NOTIFY, 10, 30, 600, 170, kList);
  int stops[] = {50, 150, 330};
  SendMessageW(list, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(stops));
  AddControl(L"STATIC", L"Identyfikator:", 0, 10, 215, 90, 18, -1);
  AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, 100, 212, 120, 22, kId);
  AddControl(L"STATIC", L"Nazwa:", 0, 235, 215, 50, 18, -1);
  AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, 285, 212, 325, 22, kLabel);
  AddControl(L"STATIC", L"Plik bazy:", 0, 10, 245, 90, 18, -1);
  AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, 100, 242, 400, 22, kPath);
  AddControl(L"BUTTON", L"Przeglądaj...", WS_TABSTOP, 510, 241, 100, 24, kBrowse);
  AddControl(L"BUTTON", L"Dodaj", WS_TABSTOP, 10, 280, 90, 26, kAdd);
  AddControl(L"BUTTON", L"Usuń", WS_TABSTOP, 110, 280, 90, 26, kRemove);
  AddControl(L"BUTTON", L"Domyślna", WS_TABSTOP, 210, 280, 90, 26, kMakeDefault);
  AddControl(L"BUTTON", L"Wypróbuj", WS_TABSTOP, 310, 280, 90, 26, kTry);
  AddControl(L"BUTTON", L"Zamknij", WS_TABSTOP, 520, 280, 90, 26, kClose);
  AddControl(L"STATIC", L"", SS_LEFTNOWORDWRAP, 10, 318, 600, 18, kStatus);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
  switch (message) {
    case WM_CREATE:
      g_window = window;
      CreateControls();
      Refresh();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(first)) {
        case kBrowse: Browse(); break;
        case kAdd: Add(); break;
        case kRemove: Remove(); break;
        case kMakeDefault: MakeDefault(); break;
        case kTry: Try(); break;
        case kClose: DestroyWindow(window); break;
        default: break;
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, first, second);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const HWND owner = reinterpret_cast<HWND>(mowik::OwnerFromCommandLine(GetCommandLineW()));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  g_font = CreateFontIndirectW(&metrics.lfMessageFont);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"VrlCplWindow";
  RegisterClassW(&windowClass);

  RECT frame = {0, 0, 620, 345};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, L"VrlCplWindow", L"Varelo: bazy głosów", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top,
                                IsWindow(owner) ? owner : nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  VRL_VRLUnload();
  if (g_font) DeleteObject(g_font);
  return 0;
}
