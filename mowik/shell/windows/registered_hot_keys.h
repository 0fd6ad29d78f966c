#pragma once
// The reader's hot keys as RegisterHotKey holds them for the settings window: registered
// from the stored codes, the action behind each identifier, and the first key another
// program holds, to be told once a run. Windows only.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "mowik/shell/hot_keys.h"

namespace mowik {

class RegisteredHotKeys {
 public:
  // Unregisters the keys registered before and registers every stored one. True when a key
  // is taken by another program and the user has not been told yet this run.
  bool Register(HWND window);
  // The action of a registered identifier (1 for the first key registered).
  std::optional<HotKeyAction> ActionOf(int32_t id) const;
  // The text telling which key another program holds; once a run, nothing afterwards.
  std::optional<std::wstring> TakeTakenNotice();

 private:
  std::array<std::optional<HotKeyAction>, 8> actions_{};  // by identifier - 1
  std::optional<HotKeyAction> taken_;                      // the first key another program holds
  bool told_ = false;
};

}  // namespace mowik
