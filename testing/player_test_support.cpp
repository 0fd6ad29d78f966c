#include "testing/player_test_support.h"

#include <fstream>

namespace mowik::test {
namespace {

// The test keeps its own reference, so the fakes and their records outlive a player that
// unloads the engine.
template <typename Function>
Function Fake(const char* library, const char* name) {
  static HMODULE engine = LoadLibraryA("varelo.dll");
  static HMODULE audio = LoadLibraryA("vovedodudo.dll");
  HMODULE module = std::string(library) == "varelo.dll" ? engine : audio;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string ReadLog(const char* library, const char* name) {
  auto log = Fake<int(WINAPI*)(char*, int)>(library, name);
  std::string text(static_cast<size_t>(log(nullptr, 0)) + 1, '\0');
  log(text.data(), static_cast<int>(text.size()));
  text.pop_back();
  return text;
}

const char kWindowClass[] = "VrlplayTestRecorder";

}  // namespace

std::string EngineLog() { return ReadLog("varelo.dll", "Fake_Log"); }
void ClearEngineLog() { Fake<void(WINAPI*)()>("varelo.dll", "Fake_ClearLog")(); }
void SetEngineWriteDelay(int ms) { Fake<void(WINAPI*)(int)>("varelo.dll", "Fake_SetWriteDelay")(ms); }
void RefuseEngineWrites(bool refuse) { Fake<void(WINAPI*)(int)>("varelo.dll", "Fake_RefuseWrites")(refuse); }
std::string AudioLog() { return ReadLog("vovedodudo.dll", "Fake_AudioLog"); }
std::vector<short> AudioSamples() {
  auto samples = Fake<int(WINAPI*)(short*, int)>("vovedodudo.dll", "Fake_AudioSamples");
  std::vector<short> all(static_cast<size_t>(samples(nullptr, 0)));
  samples(all.data(), static_cast<int>(all.size()));
  return all;
}
void ClearAudio() { Fake<void(WINAPI*)()>("vovedodudo.dll", "Fake_AudioClear")(); }
long long AudioBytes() { return Fake<long long(WINAPI*)()>("vovedodudo.dll", "Fake_AudioBytes")(); }
void SilenceAudioDevice(bool silent) {
  Fake<void(WINAPI*)(int)>("vovedodudo.dll", "Fake_AudioSilentDevice")(silent ? 1 : 0);
}
long long AudioFirstWriteTime() { return Fake<LONGLONG(WINAPI*)()>("vovedodudo.dll", "Fake_AudioFirstWriteTime")(); }
long long AudioStopTime() { return Fake<LONGLONG(WINAPI*)()>("vovedodudo.dll", "Fake_AudioStopTime")(); }

Recorder*& CallbackRecorder() {
  static Recorder* recorder = nullptr;
  return recorder;
}

Recorder::Recorder() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  RegisterClassA(&windowClass);  // already registered by an earlier recorder is fine
  window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
  CallbackRecorder() = this;
}

Recorder::~Recorder() {
  CallbackRecorder() = nullptr;
  DestroyWindow(window_);
}

int VRL_API Recorder::Callback(unsigned message, VRL_PARAM first, VRL_PARAM second) {
  Recorder* recorder = CallbackRecorder();
  return recorder ? static_cast<int>(recorder->Record(message, first, second)) : 0;
}

LRESULT CALLBACK Recorder::WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
  auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, 0));
  if (recorder != nullptr && message >= VRL_DEFAULT_MSG_BASE && message <= VRL_DEFAULT_MSG_BASE + VRL_MSG_END) {
    return recorder->Record(message, static_cast<intptr_t>(first), static_cast<intptr_t>(second));
  }
  return DefWindowProcA(window, message, first, second);
}

intptr_t Recorder::Record(unsigned message, intptr_t first, intptr_t second) {
  const unsigned offset = message - VRL_DEFAULT_MSG_BASE;
  std::string text;
  if ((offset == VRL_MSG_START || offset == VRL_MSG_END || offset == VRL_MSG_LINE) && first != 0) {
    text = reinterpret_cast<const char*>(first);
  }
  std::lock_guard<std::mutex> guard(lock_);
  seen_.push_back({offset, text, second, GetCurrentThreadId()});
  if (offset == VRL_MSG_LINE && !skippedLine_.empty() && text == skippedLine_) return 1;
  return offset < 5 ? replies_[offset] : 0;
}

void Recorder::SetReply(unsigned offset, int reply) {
  std::lock_guard<std::mutex> guard(lock_);
  replies_[offset] = reply;
}

void Recorder::SetSkippedLine(const std::string& line) {
  std::lock_guard<std::mutex> guard(lock_);
  skippedLine_ = line;
}

std::vector<Notification> Recorder::Seen() {
  std::lock_guard<std::mutex> guard(lock_);
  return seen_;
}

std::vector<unsigned> Recorder::Offsets() {
  std::vector<unsigned> offsets;
  for (const Notification& seen : Seen()) offsets.push_back(seen.offset);
  return offsets;
}

int Recorder::Count(unsigned offset) {
  int count = 0;
  for (unsigned seen : Offsets()) count += seen == offset ? 1 : 0;
  return count;
}

void ClearDatabaseList() {
  VRL_UnregisterAll();
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\tarvi\\varelo\\databases", 0, KEY_ALL_ACCESS, &key) == 0) {
    RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
  }
}

std::string TempFile(const std::string& name, const std::string& content) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

}  // namespace mowik::test
