#pragma once
// What the player's tests share: the fake engine's and fake audio library's records, a
// notification recorder usable as a window or a callback, and a clean registry list.

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "vrlplay/vrlplay.h"

namespace mowik::test {

// Calls and samples recorded by the fake varelo.dll and vovedodudo.dll beside the test.
std::string EngineLog();
void ClearEngineLog();
void SetEngineWriteDelay(int ms);
void RefuseEngineWrites(bool refuse);
std::string AudioLog();
std::vector<short> AudioSamples();
void ClearAudio();
long long AudioBytes();  // 8-bit (G.711) samples written
void SilenceAudioDevice(bool silent);  // true: the device never reports the end of playback
long long AudioFirstWriteTime();
long long AudioStopTime();

struct Notification {
  unsigned offset;    // message number minus the message base
  std::string text;   // the text the first parameter points at (START, END, LINE)
  intptr_t second;
  DWORD thread;       // thread the notification ran on
};

// Records notifications; replies come from the reply table (offset -> reply, default 0).
class Recorder {
 public:
  Recorder();
  ~Recorder();
  HWND Window() const { return window_; }  // a window of the creating thread
  static int VRL_API Callback(unsigned message, VRL_PARAM first, VRL_PARAM second);
  void SetReply(unsigned offset, int reply);
  void SetSkippedLine(const std::string& line);  // LINE for exactly this text replies 1
  std::vector<Notification> Seen();
  std::vector<unsigned> Offsets();
  int Count(unsigned offset);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second);
  intptr_t Record(unsigned message, intptr_t first, intptr_t second);

  HWND window_ = nullptr;
  std::mutex lock_;
  std::vector<Notification> seen_;
  int replies_[5] = {};
  std::string skippedLine_;
};

// The one recorder callbacks report to (the callback form carries no context).
Recorder*& CallbackRecorder();

// Empties the registry list of voice databases and its default.
void ClearDatabaseList();

// Writes a file in the temporary folder and returns its full name.
std::string TempFile(const std::string& name, const std::string& content);

}  // namespace mowik::test
