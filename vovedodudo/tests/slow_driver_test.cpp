// The audio library over a stand-in sound driver (fake_winmm.cpp) that is slow to hand its
// buffers back: closing must never release what the driver still holds, and must still close
// the device once the driver lets go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vovedodudo/vovedodudo.h"

namespace mowik {
namespace {

template <typename Function>
Function Driver(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("winmm.dll"), name)));
}

std::string Violations() {
  char text[2048] = {};
  Driver<int(WINAPI*)(char*, int)>("Fake_Violations")(text, sizeof text);
  return text;
}
int OpenDevices() { return Driver<int(WINAPI*)()>("Fake_OpenDevices")(); }
int HeldBuffers() { return Driver<int(WINAPI*)()>("Fake_HeldBuffers")(); }

class SlowDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    // WINEDLLOVERRIDES=winmm=n (set by ctest) makes Wine take the stand-in beside the test.
    ASSERT_NE(Driver<void*>("Fake_OpenDevices"), nullptr) << "the stand-in winmm.dll was not loaded";
    Driver<void(WINAPI*)(int)>("Fake_HoldBuffers")(0);
    Driver<void(WINAPI*)(int)>("Fake_SetResetDelay")(0);
  }

  static AUDIOHANDLE OpenDevice() {
    AUDIOHANDLE device = AudioOpen(AUDIO_MODE_DEVICE, nullptr, nullptr, 0, 0);
    if (device && AudioSetFormat(device, 16000, 16, 1, AUDIO_TAG_PCM, 0) != 0) return nullptr;
    return device;
  }

  // Writes until the device takes no more (it holds everything while told to).
  static void Fill(AUDIOHANDLE device) {
    const std::vector<int16_t> block(4000, 100);
    while (AudioWrite(block.data(), 2, static_cast<int>(block.size()), device) > 0) {
    }
  }

  // The next call that opens and closes a device, as the player's next utterance would.
  static void OpenAndCloseAnother() {
    AUDIOHANDLE device = OpenDevice();
    ASSERT_NE(device, nullptr);
    AudioClose(device);
  }
};

TEST_F(SlowDriver, CloseKeepsBuffersTheDriverStillHoldsAndFinishesOnceItLetsGo) {
  Driver<void(WINAPI*)(int)>("Fake_HoldBuffers")(1);
  // Longer than the close waits: the buffers come back after the close has returned.
  Driver<void(WINAPI*)(int)>("Fake_SetResetDelay")(3000);
  AUDIOHANDLE device = OpenDevice();
  ASSERT_NE(device, nullptr);
  Fill(device);
  ASSERT_GT(HeldBuffers(), 0);
  AudioClose(device);
  EXPECT_EQ(Violations(), "");
  EXPECT_EQ(OpenDevices(), 1) << "closed while the driver still held buffers";

  while (HeldBuffers() != 0) Sleep(50);  // the driver lets go
  Driver<void(WINAPI*)(int)>("Fake_HoldBuffers")(0);
  Driver<void(WINAPI*)(int)>("Fake_SetResetDelay")(0);
  // The device the driver would not let go of is closed by the next call into the library;
  // only then can another device open (the driver has one).
  OpenAndCloseAnother();
  EXPECT_EQ(OpenDevices(), 0);
  EXPECT_EQ(Violations(), "");
}

TEST_F(SlowDriver, ACloseTheDriverRefusesIsRetriedNotAbandoned) {
  AUDIOHANDLE device = OpenDevice();
  ASSERT_NE(device, nullptr);
  const std::vector<int16_t> block(1600, 100);
  ASSERT_GT(AudioWrite(block.data(), 2, static_cast<int>(block.size()), device), 0);
  Driver<void(WINAPI*)()>("Fake_RefuseCloseOnce")();
  AudioClose(device);
  OpenAndCloseAnother();
  EXPECT_EQ(OpenDevices(), 0) << "the refused close was never retried";
  EXPECT_EQ(Violations(), "");
}

}  // namespace
}  // namespace mowik
