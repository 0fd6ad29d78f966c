#pragma once
#include <string>

namespace mowik {

// Where the speech output bridge shows the player's error texts: a message box in mowik.exe
// (one OK button, the title "Mowik"), standard error in mowik-say.
class PlayerReporter {
 public:
  virtual ~PlayerReporter() = default;
  virtual void ShowPlayerError(const std::wstring& text) = 0;
};

}  // namespace mowik
