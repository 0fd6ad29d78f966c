#pragma once
// The calls Mowik makes into the player library. The Windows build implements them by loading
// vrlplay.dll (VrlplayLibrary); tests use doubles.

#include <cstdint>
#include <string>

#include "vrlplay/vrlplay.h"  // the flag words and error codes of these calls

namespace mowik {

class PlayerApi {
 public:
  virtual ~PlayerApi() = default;
  virtual int32_t IsPlaying() = 0;
  virtual int32_t SetDatabase(const std::wstring& id) = 0;
  virtual int32_t SetPitchRatio(float ratio) = 0;
  virtual int32_t SetDurationRatio(float ratio) = 0;
  virtual int32_t SetVoiceFreq(int32_t hertz) = 0;
  // text is phoneme text (ASCII); outFile is ignored unless a file-output bit is set.
  virtual int32_t Play(const std::string& text, int32_t flags, const std::wstring& outFile,
                       intptr_t target) = 0;
  virtual int32_t Stop() = 0;
  // Holds the reading in progress, or plays it on (see VRL_Pause, VRL_Resume). A player
  // library without them cannot pause: VRL_ERR_NOT_PLAYING, and nothing is reported.
  virtual int32_t Pause() { return VRL_ERR_NOT_PLAYING; }
  virtual int32_t Resume() { return VRL_ERR_NOT_PLAYING; }
  // Queues the selection of a voice database without waiting for it (a command stream that
  // writes nothing), so that the engine loads it on the player's thread. 0 where the player
  // cannot: nothing is queued then.
  virtual int32_t SelectDatabaseAhead(const std::wstring& id) {
    (void)id;
    return 0;
  }
  // Returns once the player's queue is empty (see VRL_WaitForEnd); at once where it lacks it.
  virtual int32_t WaitForEnd() { return 0; }
  // Ends the player's thread and lets its engine and device go (see VRL_VRLUnload), where the
  // library was loaded; nothing otherwise. The last call before the program ends.
  virtual void Unload() {}
  // Fills buf (len bytes, 8-bit text) with the last error text; see VRL_LastError.
  virtual int32_t LastError(char* buf, int32_t len) = 0;
  // The player's 8-bit text as Mowik's text. Here each byte stands for the character of the
  // same number; the library converts from the system's ANSI code page, as the player writes.
  virtual std::wstring TextFromPlayer(const std::string& text) const {
    std::wstring wide;
    for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
  }
  // True once the library or one of its functions could not be found (already reported):
  // nothing should be spoken then.
  virtual bool Unavailable() const = 0;
};

}  // namespace mowik
