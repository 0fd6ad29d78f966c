#pragma once
#include <string>

namespace mowik {

// Where the settings window's handlers send a text to be spoken: SpeakText through the
// player in mowik.exe, a recorder in tests.
class Speaker {
 public:
  virtual ~Speaker() = default;
  virtual void Speak(std::wstring text) = 0;
};

}  // namespace mowik
