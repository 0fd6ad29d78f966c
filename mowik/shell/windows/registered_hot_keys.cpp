#include "mowik/shell/windows/registered_hot_keys.h"

#include "mowik/shell/windows/hot_key.h"

namespace mowik {

bool RegisteredHotKeys::Register(HWND window) {
  UnregisterAppHotKeys(window);
  actions_.fill(std::nullopt);
  for (HotKeyAction action : kHotKeyActions) {
    const std::optional<HotKey> key = StoredHotKey(action, StoredHotKeyCode(action));
    if (!key) continue;
    // MOD_NOREPEAT: a key held down is one press, so the read key cannot stop what it started.
    const BOOL registered = RegisterAppHotKey(window, key->modifiers | MOD_NOREPEAT, key->key);
    const int32_t id = HotKeyCount();
    if (registered && id >= 1 && id <= static_cast<int32_t>(actions_.size()))
      actions_[static_cast<size_t>(id - 1)] = action;
    else if (!registered && !taken_)
      taken_ = action;
  }
  return taken_ && !told_;
}

std::optional<HotKeyAction> RegisteredHotKeys::ActionOf(int32_t id) const {
  if (id < 1 || id > static_cast<int32_t>(actions_.size())) return std::nullopt;
  return actions_[static_cast<size_t>(id - 1)];
}

std::optional<std::wstring> RegisteredHotKeys::TakeTakenNotice() {
  if (!taken_ || told_) return std::nullopt;
  told_ = true;
  const std::optional<HotKey> key = StoredHotKey(*taken_, StoredHotKeyCode(*taken_));
  if (!key) return std::nullopt;
  return HotKeyTakenText(*taken_, *key);
}

}  // namespace mowik
