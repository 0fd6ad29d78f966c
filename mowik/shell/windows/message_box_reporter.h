#pragma once
// The player's error texts in a message box titled "Mowik" with one OK button. Windows only.
#include <windows.h>

#include "mowik/output/player_reporter.h"

namespace mowik {

class MessageBoxReporter final : public PlayerReporter {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void ShowPlayerError(const std::wstring& text) override { MessageBoxW(owner_, text.c_str(), L"Mowik", MB_OK); }

 private:
  HWND owner_ = nullptr;
};

}  // namespace mowik
