// The whole way from the hot key to the sound device, under Wine: mowik.exe beside the real
// vrlplay.dll, varelo.dll with its voice and vovedodudo.dll; the test's ALSA configuration
// makes the default device write every played byte to a capture file (testing/alsa_capture.h).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "mowik/shell/tests/running_reader.h"
#include "mowik/shell/tests/set_clipboard.h"
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

}  // namespace
}  // namespace mowik::test
