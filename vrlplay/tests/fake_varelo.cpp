// A stand-in varelo.dll for the player's tests: every phoneme line "SYMBOL MS ..." becomes
// MS * rate / 1000 samples, each holding the number of the line (1, 2, ...), so a test can
// tell which lines were synthesized and in what order. The input holds four lines; a fifth
// write is refused until samples are read, as a real engine's bounded queue would. A line
// "ERR ..." makes the next read fail. Calls are logged for the tests (Fake_Log).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>

// The engine's own declarations: the compiler holds every stand-in export to the engine's
// signature and calling convention (a 32-bit caller pops the arguments the header says).
#include "varelo/varelo.h"

namespace {

std::mutex g_lock;
std::string g_log;
std::deque<std::string> g_input;
std::deque<short> g_output;
int g_lineNumber = 0;
int g_rate = 16000;
float g_volume = 1.0f;
int g_noError = 0;
bool g_failNextRead = false;
std::atomic<int> g_writeDelayMs{0};
bool g_refuseWrites = false;
const int kInputLines = 4;

void Log(const std::string& entry) { g_log += entry + "\n"; }

void Synthesize() {
  while (!g_input.empty()) {
    const std::string line = g_input.front();
    g_input.pop_front();
    if (line.rfind(";;", 0) == 0) continue;
    ++g_lineNumber;
    if (line.rfind("ERR", 0) == 0) {
      g_failNextRead = true;
      continue;
    }
    const char* blank = std::strchr(line.c_str(), ' ');
    const long ms = blank ? std::strtol(blank + 1, nullptr, 10) : 0;
    const long count = std::clamp(ms, 0L, 60000L) * g_rate / 1000;
    g_output.insert(g_output.end(), static_cast<size_t>(count), static_cast<short>(g_lineNumber));
  }
}

}  // namespace

extern "C" {

int WINAPI init_VRL(const char* path) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log(std::string("init ") + path);
  return std::strstr(path, "bad") ? 1 : 0;
}

int WINAPI init_rename_VRL(const char* path, const char* first, const char* second) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log(std::string("rename ") + path + "|" + (first ? first : "(null)") + "|" + (second ? second : "(null)"));
  return std::strstr(path, "bad") ? 1 : 0;
}

void WINAPI close_VRL() {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("close");
}

void WINAPI reset_VRL() {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("reset");
  g_input.clear();
  g_output.clear();
  g_failNextRead = false;
}

int WINAPI write_VRL(const char* line) {
  if (g_writeDelayMs > 0) Sleep(g_writeDelayMs);
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_refuseWrites || static_cast<int>(g_input.size()) >= kInputLines) return 0;
  Log(std::string("write ") + line);
  g_input.emplace_back(line);
  return 1;
}

int WINAPI flush_VRL() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_refuseWrites) return 0;
  Log("flush");
  return 1;
}

int WINAPI read_VRL(short* samples, int capacity) {
  std::lock_guard<std::mutex> guard(g_lock);
  Synthesize();
  if (g_output.empty() && g_failNextRead) {
    g_failNextRead = false;
    return -1;
  }
  const int count = std::min<int>(capacity, static_cast<int>(g_output.size()));
  std::copy(g_output.begin(), g_output.begin() + count, samples);
  g_output.erase(g_output.begin(), g_output.begin() + count);
  return count;
}

int WINAPI lastErrorStr_VRL(char* text, int size) {
  std::strncpy(text, "line 2: unknown phoneme", static_cast<size_t>(size));
  return 0;
}

void WINAPI setNoError_VRL(int flag) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("noerror " + std::to_string(flag));
  g_noError = flag;
}
int WINAPI getNoError_VRL() { return g_noError; }

void WINAPI setFreq_VRL(int rate) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("freq " + std::to_string(rate));
  g_rate = rate;
}
int WINAPI getFreq_VRL() { return g_rate; }

void WINAPI setVolumeRatio_VRL(float ratio) {
  std::lock_guard<std::mutex> guard(g_lock);
  Log("volume " + std::to_string(ratio));
  g_volume = ratio;
}
float WINAPI getVolumeRatio_VRL() { return g_volume; }

int WINAPI getVersion_VRL(char* text, int length) {
  std::strncpy(text, "fake 1.0", static_cast<size_t>(length));
  if (length > 0) text[length - 1] = '\0';
  return 42;
}

int WINAPI getDatabaseInfo_VRL(char* text, int size, int index) {
  static const char* const kTexts[] = {"Name: fake\nRate: 16000", "Built: by hand"};
  if (index < 0) return 0;
  if (index > 1) return -1;  // "none" may also be said with a negative size
  const int length = static_cast<int>(std::strlen(kTexts[index]));
  if (text != nullptr && size > 0) {
    std::strncpy(text, kTexts[index], static_cast<size_t>(size));
    text[size - 1] = '\0';
  }
  return length;
}

// Resolved by the player but never called.
int WINAPI readtype_VRL(short*, int, int*) { return 0; }
int WINAPI lastError_VRL() { return 0; }
int WINAPI setParser_VRL(VRL_LINE_PARSER) { return 0; }
VRL_PHONE WINAPI init_Phone(const char*, float) { return nullptr; }
void WINAPI reset_Phone(VRL_PHONE) {}
int WINAPI close_Phone(VRL_PHONE) { return 0; }
int WINAPI appendf0_Phone(VRL_PHONE, float, float) { return 0; }

// Test controls.
int WINAPI Fake_Log(char* buf, int len) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (buf != nullptr && len > 0) {
    const size_t n = std::min(g_log.size(), static_cast<size_t>(len - 1));
    std::memcpy(buf, g_log.data(), n);
    buf[n] = '\0';
  }
  return static_cast<int>(g_log.size());
}
void WINAPI Fake_ClearLog() {
  std::lock_guard<std::mutex> guard(g_lock);
  g_log.clear();
  g_lineNumber = 0;
}
void WINAPI Fake_SetWriteDelay(int ms) { g_writeDelayMs = ms; }
void WINAPI Fake_RefuseWrites(int refuse) { g_refuseWrites = refuse != 0; }

}  // extern "C"
