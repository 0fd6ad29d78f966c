// The flat exports: each one works on the process's single player, created at the first call
// of any export (not in the library's attach, where loading the engine under the loader lock
// could deadlock). Nothing leaves an export as an exception.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "vrlplay/command_stream.h"
#include "vrlplay/copy_out.h"
#include "vrlplay/database_info.h"
#include "vrlplay/player.h"
#include "vrlplay/request.h"
#include "vrlplay/vrlplay.h"
#include "win32/message_wait.h"
#include "win32/module_folder.h"
#include "win32/scoped_handle.h"

using mowik::CopyOut;
using mowik::CPlayer;
using mowik::CRequest;
using mowik::CStackError;

namespace {

std::mutex g_playerLock;
std::shared_ptr<CPlayer> g_player;

// The player, started on first use. Callers keep their copy for the length of the call, so
// an unload on another thread frees it only after them.
std::shared_ptr<CPlayer> Player() {
  std::lock_guard<std::mutex> guard(g_playerLock);
  if (!g_player) {
    // The player's thread runs code of this library for as long as the process lives, and a
    // host may free the library at any time (plug-in hosts load it for one sentence): once
    // there is a player, the library stays loaded until the process ends.
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&Player), &pinned);
    g_player = std::make_shared<CPlayer>(mowik::win32::ThisModule());
  }
  return g_player;
}

bool PhonemeKind(int type) { return type == mowik::kPhonemeFile || type == mowik::kPhonemeText; }

int QueueRatio(int type, float ratio) {
  auto player = Player();
  // A ratio the engine cannot use would break every later play: refused here, never queued.
  if (!mowik::UsableRatio(ratio)) {
    player->RecordArgumentError(
        mowik::RatioRefused(type == mowik::kPitchRatio ? "Pitch ratio" : "Duration ratio", ratio));
    return VRL_ERR_BAD_COMMAND;
  }
  // A player whose thread could not start, though its engine is there, says so rather than
  // queue for nobody. Without an engine the ratio is queued all the same and the result is 0.
  if (!player->HasPlayThread() && player->EngineLoaded()) return player->ErrorCode();
  auto request = std::make_unique<CRequest>();
  request->type = type;
  request->ratio = ratio;
  player->Append(std::move(request));
  return 0;
}

int QueueDatabase(int type, const char* id, const char* first, const char* second) {
  auto player = Player();
  const int code = player->ErrorCode();
  if (code <= VRL_ERR_REGISTRY || !player->HasPlayThread()) return code;
  if (id == nullptr) {
    player->RecordArgumentError(CStackError::Of(VRL_ERR_BAD_COMMAND));
    return VRL_ERR_BAD_COMMAND;
  }
  auto request = std::make_unique<CRequest>();
  request->type = type;
  request->text = id;
  request->first = mowik::CopyOfText(first);
  request->second = mowik::CopyOfText(second);
  player->Append(std::move(request));
  return player->WaitForEmpty();
}

// The converted information text number index, or none when the engine has none.
std::optional<std::string> InfoAt(const mowik::EngineApi& engine, int index) {
  const int size = engine.getDatabaseInfo(nullptr, 0, index);
  if (size <= 0) return std::nullopt;
  constexpr int kMostInfoBytes = 1 << 20;  // an engine's claim beyond this is not believed
  std::string text(static_cast<size_t>(std::min(size, kMostInfoBytes)) + 1, '\0');
  engine.getDatabaseInfo(text.data(), static_cast<int>(text.size()), index);
  text.back() = '\0';
  text.resize(std::strlen(text.c_str()));
  return mowik::InfoText(text);
}

}  // namespace

extern "C" {

int VRL_API VRL_Play(const char* text, int flags, const char* outFile, void* target) {
  auto player = Player();
  int code = player->ErrorCode();
  if (code <= VRL_ERR_THREAD) return code;
  if (text == nullptr) {
    player->RecordArgumentError(CStackError::Of(VRL_ERR_BAD_COMMAND));
    return VRL_ERR_BAD_COMMAND;
  }
  const int type = mowik::PlayRequestType(flags);
  if (PhonemeKind(type)) {
    code = player->ErrorCode();
    if (code <= VRL_ERR_LOAD_DATABASE) {
      if (flags & VRL_WAIT) player->WaitForEmpty();
      return code;
    }
  }
  auto request = std::make_unique<CRequest>();
  request->type = type;
  request->text = text;
  request->flags = flags;
  request->outFile = mowik::CopyOfText(outFile);
  request->target = reinterpret_cast<uintptr_t>(target);
  player->Append(std::move(request));
  if (flags & VRL_WAIT) player->WaitForEmpty();
  return player->ErrorCode();
}

int VRL_API VRL_Stop(void) {
  auto player = Player();
  if (player->OnPlayThread()) {
    player->RaiseStopFromPlayThread();
    return player->ErrorCode();
  }
  player->RaiseStop();
  player->EndPause();
  const int code = player->WaitForEmpty();
  player->LowerStop();
  return code;
}

int VRL_API VRL_WaitForEnd(void) { return Player()->WaitForEmpty(); }

int VRL_API VRL_IsPlaying(void) { return Player()->QueueCount() != 0 ? 1 : 0; }

int VRL_API VRL_Pause(void) {
  auto player = Player();
  if (!player->HasPlayThread()) return player->ErrorCode();
  // A refusal is this call's answer only: recorded, it would stand as the player's error and
  // hold back the next VRL_Play.
  return player->Pause() ? 0 : VRL_ERR_NOT_PLAYING;
}

int VRL_API VRL_Resume(void) {
  auto player = Player();
  if (!player->HasPlayThread()) return player->ErrorCode();
  return player->Resume() ? 0 : VRL_ERR_NOT_PLAYING;
}

int VRL_API VRL_IsPaused(void) { return Player()->Paused() ? 1 : 0; }

int VRL_API VRL_SetPitchRatio(float ratio) { return QueueRatio(mowik::kPitchRatio, ratio); }
int VRL_API VRL_SetDurationRatio(float ratio) { return QueueRatio(mowik::kDurationRatio, ratio); }
float VRL_API VRL_GetPitchRatio(void) { return Player()->PitchRatio(); }
float VRL_API VRL_GetDurationRatio(void) { return Player()->DurationRatio(); }

int VRL_API VRL_SetVoiceFreq(int frequency) {
  auto player = Player();
  if (!player->EngineLoaded()) return player->ErrorCode();
  player->Engine().setFreq(frequency);
  return 0;
}

int VRL_API VRL_GetVoiceFreq(void) {
  auto player = Player();
  return player->EngineLoaded() ? player->Engine().getFreq() : 0;
}

int VRL_API VRL_GetDefaultFreq(void) {
  auto player = Player();
  return player->EngineLoaded() ? player->Engine().getFreq() : -1;
}

int VRL_API VRL_SetVolumeRatio(float ratio) {
  auto player = Player();
  if (!mowik::UsableVolume(ratio)) {
    player->RecordArgumentError(mowik::RatioRefused("Volume ratio", ratio));
    return VRL_ERR_BAD_COMMAND;
  }
  if (!player->EngineLoaded()) return player->ErrorCode();
  player->Engine().setVolumeRatio(ratio);
  return 0;
}

float VRL_API VRL_GetVolumeRatio(void) {
  auto player = Player();
  return player->EngineLoaded() ? player->Engine().getVolumeRatio() : 0.0f;
}

int VRL_API VRL_SetNoError(int flag) {
  auto player = Player();
  if (!player->EngineLoaded()) return player->ErrorCode();
  player->Engine().setNoError(flag);
  return 0;
}

int VRL_API VRL_GetNoError(void) {
  auto player = Player();
  return player->EngineLoaded() ? player->Engine().getNoError() : 0;
}

int VRL_API VRL_SetDatabase(const char* id) { return QueueDatabase(mowik::kSelectDatabase, id, nullptr, nullptr); }

int VRL_API VRL_SetDatabaseEx(const char* id, const char* first, const char* second) {
  return QueueDatabase(mowik::kSelectDatabaseEx, id, first, second);
}

int VRL_API VRL_GetDatabase(char* buf, int len) { return CopyOut(Player()->DatabaseId(), buf, len); }

int VRL_API VRL_GetDatabaseInfo(int index, char* buf, int len) {
  auto player = Player();
  if (!player->EngineLoaded()) return -1;
  if (buf == nullptr) {
    const std::optional<std::string> text = InfoAt(player->Engine(), index);
    return text ? static_cast<int>(text->size()) : 0;
  }
  // The size as the null-buffer form gives it: 0 when the engine has no such text.
  const std::optional<std::string> text = InfoAt(player->Engine(), index);
  if (!text) return 0;
  CopyOut(*text, buf, len);
  return static_cast<int>(text->size());
}

int VRL_API VRL_GetDatabaseAllInfo(char* buf, int len) {
  auto player = Player();
  if (!player->EngineLoaded()) return -1;
  constexpr int kMostTexts = 4096;  // an engine that never says "no more" must not hang us
  std::string all;
  for (int index = 0; index < kMostTexts; ++index) {
    const std::optional<std::string> text = InfoAt(player->Engine(), index);
    if (!text) break;
    all += *text;
  }
  if (buf == nullptr) return static_cast<int>(all.size());
  CopyOut(all, buf, len);
  return 0;
}

int VRL_API VRL_GetVersion(char* buf, int len) {
  auto player = Player();
  if (!player->EngineLoaded()) return player->ErrorCode();
  if (buf == nullptr || len < 1) return -1;
  return player->Engine().getVersion(buf, len);
}

int VRL_API VRL_LastError(char* buf, int len) {
  auto player = Player();
  if (buf == nullptr) return player->ErrorCode();
  const std::optional<std::string> message = player->ErrorMessage();
  return message ? CopyOut(*message, buf, len) : 0;
}

int VRL_API VRL_SetCallbackMsgBase(unsigned int base) {
  auto player = Player();
  const int code = player->ErrorCode();
  if (code > VRL_ERR_THREAD) player->SetMessageBase(base);
  return code;
}

void VRL_API VRL_VRLUnload(void) {
  std::shared_ptr<CPlayer> player;
  {
    std::lock_guard<std::mutex> guard(g_playerLock);
    player = g_player;
  }
  if (!player) return;
  // From a notification on the play thread the thread cannot be waited for: the unload ends
  // the request and drops the queue as a stop from there does, and the player stays for the
  // next call.
  if (player->OnPlayThread()) {
    player->RaiseStopFromPlayThread();
    return;
  }
  player->Shutdown();
  std::lock_guard<std::mutex> guard(g_playerLock);
  if (g_player == player) g_player.reset();
}

int VRL_API VRL_StartControlPanel(void* ownerWindow) {
  wchar_t systemFolder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
  const std::wstring folder = length > 0 && length < MAX_PATH ? std::wstring(systemFolder, length) : std::wstring();
  const std::wstring arguments =
      ownerWindow != nullptr ? std::to_wstring(reinterpret_cast<uintptr_t>(ownerWindow)) : std::wstring();

  // The system directory first, as older installations expect; then beside this library.
  const std::wstring ownFolder = mowik::win32::ModuleFolder(mowik::win32::ThisModule());
  PROCESS_INFORMATION process{};
  bool started = false;
  for (const std::wstring& program : {folder + L"\\VrlCpl.exe", ownFolder + L"\\VrlCpl.exe"}) {
    std::wstring commandLine = arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
      started = true;
      break;
    }
  }
  if (!started) {
    MessageBeep(MB_ICONHAND);
    MessageBoxA(static_cast<HWND>(ownerWindow), "Can't Start Varelo Control Panel", nullptr, MB_OK | MB_ICONHAND);
    return -1;
  }
  CloseHandle(process.hThread);
  const mowik::win32::ScopedHandle panel(process.hProcess);
  // The panel's window may be owned by one of ours: keep this thread's messages flowing.
  const HANDLE handles[] = {panel.Get()};
  mowik::win32::WaitDispatching(handles);
  DWORD exitCode = static_cast<DWORD>(-1);
  GetExitCodeProcess(panel.Get(), &exitCode);
  return static_cast<int>(exitCode);
}

int VRL_API VRL_RegEnumDatabase(char* buf, int len) { return Player()->Registry()->EnumIds(buf, len); }
int VRL_API VRL_RegEnumDatabaseCallback(VRL_ENUM_FUNCTION function, VRL_PARAM user) {
  return Player()->Registry()->EnumIdsCallback(function, user);
}
int VRL_API VRL_RegGetDatabaseLabel(const char* id, char* buf, int len) {
  return Player()->Registry()->Label(id, buf, len);
}
int VRL_API VRL_RegGetDatabasePath(const char* id, char* buf, int len) {
  return Player()->Registry()->Path(id, buf, len);
}
int VRL_API VRL_RegGetDatabaseCount(void) { return Player()->Registry()->Count(); }
int VRL_API VRL_RegGetDefaultDatabase(char* buf, int len) { return Player()->Registry()->DefaultId(buf, len); }
int VRL_API VRL_RegSetDefaultDatabase(const char* id) { return Player()->Registry()->SetDefault(id); }
int VRL_API VRL_RegisterDatabase(const char* id, const char* path, const char* label, int makeDefault, char* buf,
                                 int len) {
  return Player()->Registry()->Register(id, path, label, makeDefault, buf, len);
}
int VRL_API VRL_UnregisterDatabase(const char* id) { return Player()->Registry()->Unregister(id); }
int VRL_API VRL_UnregisterAll(void) { return Player()->Registry()->UnregisterAll(); }
int VRL_API VRL_DatabaseExist(const char* id) { return Player()->Registry()->Exists(id); }
int VRL_API VRL_RegIdxGetDatabaseId(int index, char* buf, int len) {
  return Player()->Registry()->IdAt(index, buf, len);
}
int VRL_API VRL_RegIdxGetDatabasePath(int index, char* buf, int len) {
  return Player()->Registry()->PathAt(index, buf, len);
}
int VRL_API VRL_RegIdxGetDatabaseLabel(int index, char* buf, int len) {
  return Player()->Registry()->LabelAt(index, buf, len);
}
int VRL_API VRL_RegIdxGetDatabaseIndex(const char* id) { return Player()->Registry()->IndexOf(id); }
int VRL_API VRL_RegIdxGetDefaultDatabase(void) { return Player()->Registry()->DefaultIndex(); }

}  // extern "C"
