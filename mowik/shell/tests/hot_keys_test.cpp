#include "mowik/shell/hot_keys.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(HotKeys, StoredZeroIsCtrlShiftCForReadingAndNoneForTheRest) {
  EXPECT_EQ(StoredHotKey(HotKeyAction::kRead, 0), kDefaultReadKey);
  for (HotKeyAction action : {HotKeyAction::kPause, HotKeyAction::kStop, HotKeyAction::kDate})
    EXPECT_EQ(StoredHotKey(action, 0), std::nullopt);
  for (HotKeyAction action : kHotKeyActions) EXPECT_EQ(StoredHotKey(action, kNoHotKey), std::nullopt);
}

TEST(HotKeys, CodesRoundTripAndTheDefaultReadKeyStaysStoredAsZero) {
  const HotKey ctrlAltS{kModControl | kModAlt, 'S'};
  for (HotKeyAction action : kHotKeyActions) {
    const int32_t code = StoredCode(action, ctrlAltS);
    EXPECT_EQ(code, (3 << 8) | 'S');
    EXPECT_EQ(StoredHotKey(action, code), ctrlAltS);
  }
  EXPECT_EQ(StoredCode(HotKeyAction::kRead, kDefaultReadKey), 0);  // what older files hold
  EXPECT_EQ(StoredCode(HotKeyAction::kStop, kDefaultReadKey), (6 << 8) | 'C');
  // None: the read key needs a code of its own, since 0 means Ctrl+Shift+C there.
  EXPECT_EQ(StoredCode(HotKeyAction::kRead, std::nullopt), kNoHotKey);
  EXPECT_EQ(StoredCode(HotKeyAction::kDate, std::nullopt), 0);
}

TEST(HotKeys, DamagedOrUnusableCodesGiveNoKey) {
  for (int32_t code : {0x10000 | (2 << 8) | 'C', 2 << 8, (2 << 8) | 0xFF, int32_t{'C'}, 0x7FFFFFFF, -2})
    EXPECT_EQ(StoredHotKey(HotKeyAction::kStop, code), std::nullopt) << code;
}

TEST(HotKeys, TheHotKeyControlsFlagsMapToRegisterHotKeysModifiers) {
  // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4 against MOD_SHIFT 4, MOD_CONTROL 2, MOD_ALT 1.
  EXPECT_EQ(HotKeyFromControl((3 << 8) | 'C'), kDefaultReadKey);
  EXPECT_EQ(HotKeyFromControl((4 << 8) | 0x74), (HotKey{kModAlt, 0x74}));
  EXPECT_EQ(HotKeyFromControl(0), std::nullopt);
  EXPECT_EQ(HotKeyFromControl(3 << 8), std::nullopt);  // modifiers alone are no key yet
  EXPECT_EQ(ControlWordOf(kDefaultReadKey), (3 << 8) | 'C');
  EXPECT_EQ(ControlWordOf(std::nullopt), 0);
  for (uint16_t word : {uint16_t{(7 << 8) | 'Z'}, uint16_t{(2 << 8) | '5'}})
    EXPECT_EQ(ControlWordOf(HotKeyFromControl(word)), word);
}

TEST(HotKeys, TextsNameTheKeysAsTheWindowShowsThem) {
  EXPECT_EQ(HotKeyText(kDefaultReadKey), L"Ctrl + Shift + C");
  EXPECT_EQ(HotKeyText(HotKey{kModAlt, 0x74}), L"Alt + F5");
  EXPECT_EQ(HotKeyText(HotKey{kModControl | kModWin, 0x20}), L"Ctrl + Win + Spacja");
  EXPECT_EQ(HotKeyText(HotKey{kModControl, 0x61}), L"Ctrl + Num 1");
  EXPECT_EQ(HotKeyText(HotKey{kModControl, 0xBA}), L"Ctrl + Klawisz 186");
  EXPECT_EQ(HotKeyText(std::nullopt), L"Brak");
  const std::wstring taken = HotKeyTakenText(HotKeyAction::kRead, kDefaultReadKey);
  EXPECT_NE(taken.find(L"Ctrl + Shift + C (Czytaj)"), std::wstring::npos);
}

TEST(HotKeys, TheDateReadsInTheFormTheNormaliserKnows) {
  EXPECT_EQ(DateAndClockText(2026, 12, 8, 9, 5), L"08-12-2026 09:05");
}

}  // namespace
}  // namespace mowik
