// The whole way from the hot key to the sound device, under Wine: mowik.exe beside the real
// vrlplay.dll, varelo.dll with its voice and vovedodudo.dll; the test's ALSA configuration
// makes the default device write every played byte to a capture file (testing/alsa_capture.h).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "mowik/settings/property_bag_class.h"
#include "mowik/shell/hot_keys.h"
#include "mowik/shell/layout_table.h"
#include "mowik/shell/windows/tests/running_reader.h"
#include "mowik/shell/windows/tests/set_clipboard.h"
#include "testing/alsa_capture.h"

namespace mowik::test {
namespace {

size_t HeardSamples() {
  const std::vector<int16_t> samples = mowik::testing::CapturedSamples();
  return static_cast<size_t>(std::count_if(samples.begin(), samples.end(), [](int16_t s) { return s != 0; }));
}

TEST(ReaderAloud, TheHotKeyPlaysTheClipboardOnTheSoundDevice) {
  ASSERT_FALSE(mowik::testing::CapturePath().empty()) << "run through ctest: the ALSA capture is not configured";
  DeleteFileW((OwnFolder() + L"mowiksets.conf").c_str());
  DeleteFileA(mowik::testing::CapturePath().c_str());
  RunningReader reader(OwnFolder());
  ASSERT_TRUE(reader.Start());
  ASSERT_TRUE(SetClipboard(L"Ala ma kota"));
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  // «Ala ma kota» lasts most of a second at 16 kHz; wait until the capture stops growing.
  size_t heard = 0, before = 0;
  WaitFor(
      [&] {
        before = heard;
        heard = HeardSamples();
        return heard > 4000 && heard == before;
      },
      30000);
  EXPECT_GT(heard, 4000u) << "the utterance did not reach the sound device";
  reader.Kill();
  DeleteFileW((OwnFolder() + L"mowiksets.conf").c_str());
}

// Waits until the capture has held still for a while: the utterance ended or was stopped.
size_t HeardWhenStill() {
  size_t heard = HeardSamples(), still = 0;
  WaitFor(
      [&] {
        const size_t now = HeardSamples();
        still = now == heard ? still + 1 : 0;
        heard = now;
        return still >= 25;  // half a second without a new sample
      },
      60000);
  return heard;
}

// The settings a first run of the reader writes, changed as the test needs them.
bool StoreChangedSettings(const std::wstring& settings, const std::function<void(PropertyBagClass&)>& change) {
  DeleteFileW(settings.c_str());
  {
    RunningReader first(OwnFolder());
    if (!first.Start()) return false;
    first.Kill();
  }
  PropertyBagClass bag;
  if (!bag.LoadFromFile(settings)) return false;
  change(bag);
  return bag.SaveToFile(settings, true, true);
}

TEST(ReaderAloud, TheStopKeyTheMenuAndAPressOfTheReadKeyEndALongReadingAndTheNextReadsAgain) {
  ASSERT_FALSE(mowik::testing::CapturePath().empty()) << "run through ctest: the ALSA capture is not configured";
  const std::wstring settings = OwnFolder() + L"mowiksets.conf";
  ASSERT_TRUE(StoreChangedSettings(settings, [](PropertyBagClass& bag) {
    bag.WriteProperty(L"HotStop", StoredCode(HotKeyAction::kStop, HotKey{kModControl | kModAlt, 'S'}));
    bag.WriteProperty(L"HotPlayStops", int16_t{1});
  }));

  RunningReader reader(OwnFolder());
  ASSERT_TRUE(reader.Start());
  std::wstring text;
  for (int i = 0; i < 150; ++i) text += L"Ala ma kota, a kot ma Al\u0119. ";  // minutes of speech
  ASSERT_TRUE(SetClipboard(text));
  constexpr size_t kTwentySeconds = 20 * 16000;
  const std::pair<const char*, std::function<void()>> stops[] = {
      {"the stop key", [&] { PostMessageW(reader.Window(), WM_HOTKEY, 2, 0); }},  // read 1, stop 2
      {"the menu", [&] { PostMessageW(reader.Holder(), WM_COMMAND, kMenuStopReading, 0); }},
      {"the read key again", [&] { PostMessageW(reader.Window(), WM_HOTKEY, 1, 0); }},
  };
  for (const auto& [how, stop] : stops) {
    DeleteFileA(mowik::testing::CapturePath().c_str());
    PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
    ASSERT_TRUE(WaitFor([] { return HeardSamples() > 8000; }, 30000)) << how << ": nothing was read";
    stop();
    EXPECT_LT(HeardWhenStill(), kTwentySeconds) << how << " did not stop the reading";
  }
  // No error box for a stop the user asked for, and the reader runs on.
  if (HWND box = reader.MessageBoxWindow()) {
    std::wstring said;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t line[512] = {};
      GetWindowTextW(child, line, 512);
      said += line;
      said += L" | ";
    }
    ADD_FAILURE() << "a message box: " << std::string(said.begin(), said.end());
  }
  reader.Kill();
  DeleteFileW(settings.c_str());
}

TEST(ReaderAloud, ThePauseKeyHoldsAReadingAndPressedAgainPlaysItOnWhole) {
  ASSERT_FALSE(mowik::testing::CapturePath().empty()) << "run through ctest: the ALSA capture is not configured";
  const std::wstring settings = OwnFolder() + L"mowiksets.conf";
  ASSERT_TRUE(StoreChangedSettings(settings, [](PropertyBagClass& bag) {
    bag.WriteProperty(L"HotPause", StoredCode(HotKeyAction::kPause, HotKey{kModControl | kModAlt, 'P'}));
  }));

  RunningReader reader(OwnFolder());
  ASSERT_TRUE(reader.Start());
  std::wstring text;
  for (int i = 0; i < 4; ++i) text += L"Ala ma kota, a kot ma Al\u0119. ";
  ASSERT_TRUE(SetClipboard(text));

  // The whole utterance once without a pause, then with one: read 1, pause 2.
  DeleteFileA(mowik::testing::CapturePath().c_str());
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  ASSERT_TRUE(WaitFor([] { return HeardSamples() > 8000; }, 30000)) << "nothing was read";
  const size_t whole = HeardWhenStill();
  const size_t wholeCaptured = mowik::testing::CapturedSamples().size();

  DeleteFileA(mowik::testing::CapturePath().c_str());
  PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
  ASSERT_TRUE(WaitFor([] { return HeardSamples() > 8000; }, 30000)) << "nothing was read the second time";
  PostMessageW(reader.Window(), WM_HOTKEY, 2, 0);
  const size_t held = HeardWhenStill();
  EXPECT_LT(held, whole) << "the pause did not hold the reading";
  EXPECT_EQ(HeardWhenStill(), held) << "samples came while paused";
  PostMessageW(reader.Window(), WM_HOTKEY, 2, 0);
  EXPECT_TRUE(WaitFor([&] { return HeardSamples() > held; }, 10000)) << "pressed again, it did not play on";
  // Each reading draws its rising intonation anew, which moves a few samples to or from zero:
  // the sound count agrees within a hundredth (a lost block of samples is more, a second
  // playing twice as much).
  const size_t heard = HeardWhenStill();
  EXPECT_NEAR(static_cast<double>(heard), static_cast<double>(whole), whole / 100.0)
      << "the utterance was not heard exactly once";
  // Two waits of half a second and more were held: not as silence on the device.
  EXPECT_LT(mowik::testing::CapturedSamples().size(), wholeCaptured + 8000);
  EXPECT_EQ(reader.MessageBoxWindow(), nullptr);
  reader.Kill();
  DeleteFileW(settings.c_str());
}

TEST(ReaderAloud, ClosingOrEndingTheReaderDuringAReadingStopsItAndTheProcessEnds) {
  ASSERT_FALSE(mowik::testing::CapturePath().empty()) << "run through ctest: the ALSA capture is not configured";
  const std::wstring settings = OwnFolder() + L"mowiksets.conf";
  DeleteFileW(settings.c_str());
  std::wstring text;
  for (int i = 0; i < 150; ++i) text += L"Ala ma kota, a kot ma Al\u0119. ";  // minutes of speech
  // WM_CLOSE is what the uninstaller sends; "Zakończ" the icon's menu.
  const std::pair<const char*, std::function<void(RunningReader&)>> ends[] = {
      {"WM_CLOSE", [](RunningReader& reader) { PostMessageW(reader.Window(), WM_CLOSE, 0, 0); }},
      {"Zakończ", [](RunningReader& reader) { PostMessageW(reader.Holder(), WM_COMMAND, kMenuClose, 0); }},
  };
  for (const auto& [how, end] : ends) {
    RunningReader reader(OwnFolder());
    ASSERT_TRUE(reader.Start()) << how;
    ASSERT_TRUE(SetClipboard(text));
    DeleteFileA(mowik::testing::CapturePath().c_str());
    PostMessageW(reader.Window(), WM_HOTKEY, 1, 0);
    ASSERT_TRUE(WaitFor([] { return HeardSamples() > 8000; }, 30000)) << how << ": nothing was read";
    end(reader);
    EXPECT_TRUE(reader.WaitForExit(15000)) << how << " during a reading left the process running";
    EXPECT_LT(HeardWhenStill(), size_t{20 * 16000}) << how << " did not stop the reading";
    reader.Kill();  // only if it is still there
  }
  DeleteFileW(settings.c_str());
}

}  // namespace
}  // namespace mowik::test
