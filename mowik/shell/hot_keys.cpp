#include "mowik/shell/hot_keys.h"

#include <cstdio>

#include "mowik/program/main_module.h"
#include "mowik/shell/general_options.h"

namespace mowik {
namespace {

constexpr uint32_t kKeyMask = 0xFF, kModifierShift = 8, kModifierMask = 0xF;
constexpr uint16_t kControlShift = 1, kControlCtrl = 2, kControlAlt = 4;

struct KeyName {
  uint32_t key;
  const wchar_t* name;
};
// Keys without a letter of their own on the key cap; letters, digits and F1-F24 are spelled.
constexpr KeyName kKeyNames[] = {
    {0x08, L"Backspace"}, {0x09, L"Tab"},      {0x0D, L"Enter"},   {0x13, L"Pause"},  {0x1B, L"Esc"},
    {0x20, L"Spacja"},    {0x21, L"PageUp"},   {0x22, L"PageDown"}, {0x23, L"End"},   {0x24, L"Home"},
    {0x25, L"Lewo"},      {0x26, L"G\u00f3ra"}, {0x27, L"Prawo"},   {0x28, L"D\u00f3\u0142"}, {0x2D, L"Insert"},
    {0x2E, L"Delete"},    {0x6A, L"Num *"},    {0x6B, L"Num +"},   {0x6D, L"Num -"},  {0x6E, L"Num ,"},
    {0x6F, L"Num /"},
};

std::wstring KeyText(uint32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x6F);
  if (key >= 0x60 && key <= 0x69) return L"Num " + std::to_wstring(key - 0x60);
  for (const KeyName& name : kKeyNames)
    if (name.key == key) return name.name;
  return L"Klawisz " + std::to_wstring(key);
}

}  // namespace

int32_t& StoredHotKeyCode(HotKeyAction action) {
  switch (action) {
    case HotKeyAction::kRead:
      return HotPlay;
    case HotKeyAction::kPause:
      return HotPause;
    case HotKeyAction::kStop:
      return HotStop;
    case HotKeyAction::kDate:
      break;
  }
  return HotNow;
}

std::optional<HotKey> StoredHotKey(HotKeyAction action, int32_t code) {
  if (code == 0) return action == HotKeyAction::kRead ? std::optional(kDefaultReadKey) : std::nullopt;
  if (code < 0) return std::nullopt;
  const auto bits = static_cast<uint32_t>(code);
  const HotKey key{(bits >> kModifierShift) & kModifierMask, bits & kKeyMask};
  if ((bits & ~((kModifierMask << kModifierShift) | kKeyMask)) != 0 || key.key == 0 || key.key == 0xFF ||
      key.modifiers == 0)
    return std::nullopt;
  return key;
}

int32_t StoredCode(HotKeyAction action, std::optional<HotKey> key) {
  if (!key) return action == HotKeyAction::kRead ? kNoHotKey : 0;
  if (action == HotKeyAction::kRead && *key == kDefaultReadKey) return 0;  // as every older file stores it
  return static_cast<int32_t>(((key->modifiers & kModifierMask) << kModifierShift) | (key->key & kKeyMask));
}

std::optional<HotKey> HotKeyFromControl(uint16_t word) {
  const uint32_t key = word & 0xFF, flags = word >> 8;
  if (key == 0) return std::nullopt;
  uint32_t modifiers = 0;
  if (flags & kControlShift) modifiers |= kModShift;
  if (flags & kControlCtrl) modifiers |= kModControl;
  if (flags & kControlAlt) modifiers |= kModAlt;
  return HotKey{modifiers, key};
}

uint16_t ControlWordOf(std::optional<HotKey> key) {
  if (!key) return 0;
  uint16_t flags = 0;
  if (key->modifiers & kModShift) flags |= kControlShift;
  if (key->modifiers & kModControl) flags |= kControlCtrl;
  if (key->modifiers & kModAlt) flags |= kControlAlt;
  return static_cast<uint16_t>(flags << 8 | (key->key & 0xFF));
}

std::wstring HotKeyText(std::optional<HotKey> key) {
  if (!key) return L"Brak";
  std::wstring text;
  if (key->modifiers & kModControl) text += L"Ctrl + ";
  if (key->modifiers & kModShift) text += L"Shift + ";
  if (key->modifiers & kModAlt) text += L"Alt + ";
  if (key->modifiers & kModWin) text += L"Win + ";
  return text + KeyText(key->key);
}

const wchar_t* HotKeyActionName(HotKeyAction action) {
  switch (action) {
    case HotKeyAction::kRead:
      return L"Czytaj";
    case HotKeyAction::kPause:
      return L"Pauza";
    case HotKeyAction::kStop:
      return L"Stop";
    case HotKeyAction::kDate:
      break;
  }
  return L"Data";
}

std::wstring HotKeyTakenText(HotKeyAction action, HotKey key) {
  return L"Skr\u00f3t " + HotKeyText(key) + L" (" + HotKeyActionName(action) +
         L") jest ju\u017c zaj\u0119ty przez inny program, wi\u0119c Mowik go nie us\u0142yszy.\r\n"
         L"Wybierz inny na karcie \u201eOg\u00f3lne\u201d i kliknij \u201eZapisz\u201d.";
}

std::wstring DateAndClockText(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute) {
  wchar_t date[32];
  std::swprintf(date, 32, L"%02d-%02d-%04d ", day, month, year);
  return date + ClockText(hour, minute);
}

}  // namespace mowik
