#pragma once
// The reader's four hot keys ("Czytaj", "Pauza", "Stop", "Data") as the settings file stores
// them ("HotPlay", "HotPause", "HotStop", "HotNow", 32-bit) and as the hot-key control and
// RegisterHotKey see them. Portable: the window converts nothing itself.
//
// A stored code: bits 0-7 the virtual-key code, bits 8-11 the modifiers as RegisterHotKey
// takes them (Alt 1, Ctrl 2, Shift 4, Win 8), every other bit 0. 0 means the action's default
// (Ctrl+Shift+C for "Czytaj", none for the others: files from before the keys could be set
// hold 0), kNoHotKey none at all.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace mowik {

enum class HotKeyAction { kRead, kPause, kStop, kDate };
inline constexpr std::array<HotKeyAction, 4> kHotKeyActions = {HotKeyAction::kRead, HotKeyAction::kPause,
                                                               HotKeyAction::kStop, HotKeyAction::kDate};

inline constexpr int32_t kNoHotKey = -1;
inline constexpr uint32_t kModAlt = 1, kModControl = 2, kModShift = 4, kModWin = 8;

struct HotKey {
  uint32_t modifiers = 0;  // kMod* bits
  uint32_t key = 0;        // virtual-key code, 1 to 254
  bool operator==(const HotKey&) const = default;
};

// The read key of a new installation: Ctrl+Shift+C.
inline constexpr HotKey kDefaultReadKey{kModControl | kModShift, 'C'};

// The program's setting that stores the action's code (HotPlay, HotPause, HotStop, HotNow).
int32_t& StoredHotKeyCode(HotKeyAction action);

// The key a stored code gives the action; none for kNoHotKey, for 0 but for "Czytaj", and for
// a code outside the layout (a damaged file). A key without a modifier is refused too: it
// would take the letter from every program.
std::optional<HotKey> StoredHotKey(HotKeyAction action, int32_t code);
// The code to store for the key chosen (none: kNoHotKey, or 0 where none is the default).
int32_t StoredCode(HotKeyAction action, std::optional<HotKey> key);

// The standard hot-key control's word (low byte the key, high byte its HOTKEYF_* flags:
// Shift 1, Ctrl 2, Alt 4, extended key 8) and back; 0 is none.
std::optional<HotKey> HotKeyFromControl(uint16_t word);
uint16_t ControlWordOf(std::optional<HotKey> key);

// "Ctrl + Shift + C", "Alt + F5", ...; "Brak" for none.
std::wstring HotKeyText(std::optional<HotKey> key);

// What the action is called in the window ("Czytaj", "Pauza", "Stop", "Data").
const wchar_t* HotKeyActionName(HotKeyAction action);

// The message shown when another program holds the key an action wants (key in its text).
std::wstring HotKeyTakenText(HotKeyAction action, HotKey key);

// The date and time as "Data" reads them, through the same pipeline as the clock: «08-12-2026
// 09:05».
std::wstring DateAndClockText(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute);

}  // namespace mowik
