// The speech output bridge against the real vrlplay.dll of the Windows folder, with the real
// engine, voice and audio library. ctest runs every test in a process of its own, so each one
// loads the libraries afresh.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "mowik/frontend/speak_text.h"
#include "mowik/program/main_module.h"
#include "mowik/output/sampa_player.h"
#include "mowik/output/vrlplay_library.h"
#include "testing/scratch_file.h"

namespace mowik {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kWaveFile = 0x400;

struct Messages : PlayerReporter {
  void ShowPlayerError(const std::wstring& text) override { shown.push_back(text); }
  std::vector<std::wstring> shown;
};

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void UseDefaultVoice() {
  InitialiseGlobals();
  PitchRatio = 1.0f;
  DurationRatio = 1.0f;
  VoiceFreq = 16000;
}

void Speak(std::wstring text, SampaPlayer& player) { SpeakText(text, NormaliseOptions{}, player); }

TEST(RealBridge, AllSixCallsSucceedSilentlyAndTheWholeUtteranceIsWritten) {
  UseDefaultVoice();
  Messages messages;
  VrlplayLibrary library(messages, L"" MOWIK_PRODUCT_DIR L"\\vrlplay.dll");
  SampaPlayer player(library, messages);
  const std::string wav = testing::ScratchPath(".wav");
  player.SetOutput(kWaveFile, Wide(wav));
  Speak(L"Kosztuje 5 zł.", player);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(player.ErrorsShown(), 0);
  EXPECT_TRUE(PlayerErrorText.empty());

  const std::vector<uint8_t> bytes = testing::ReadBytes(wav);
  fs::remove(wav);
  ASSERT_GT(bytes.size(), 44u);
  EXPECT_EQ(testing::Text(bytes, 0), "RIFF");
  EXPECT_EQ(testing::Le32(bytes, 24), 16000u);
  EXPECT_GT(testing::Le32(bytes, 40), 16000u) << "half a second of speech at the least";
}

TEST(RealBridge, ARefusedDatabaseIsShownAfterSetDatabaseAndEveryStepStillRuns) {
  // The libraries without the voice beside them: the engine cannot load pl1.
  const fs::path folder = testing::ScratchPath("-novoice");
  fs::create_directories(folder);
  for (const char* file : {"vrlplay.dll", "varelo.dll", "vovedodudo.dll"}) {
    fs::copy_file(fs::path(MOWIK_PRODUCT_DIR) / file, folder / file);
  }
  UseDefaultVoice();
  Messages messages;
  {
    VrlplayLibrary library(messages, (folder / L"vrlplay.dll").wstring());
    SampaPlayer player(library, messages);
    const std::string wav = testing::ScratchPath(".wav");
    player.SetOutput(kWaveFile, Wide(wav));
    Speak(L"Ala ma kota.", player);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0], L"Can't load the pl1 database");
    // Play and Stop run too and report that nothing could be spoken; nothing crashes.
    EXPECT_EQ(player.ErrorsShown(), static_cast<int32_t>(messages.shown.size()));
    fs::remove(wav);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);  // the loaded copies may stay locked until the process ends
}

TEST(RealBridge, AnUtteranceArrivingWhileOneIsPlayingIsDropped) {
  UseDefaultVoice();
  Messages messages;
  VrlplayLibrary library(messages, L"" MOWIK_PRODUCT_DIR L"\\vrlplay.dll");
  SampaPlayer first(library, messages);  // to the sound device, in real time
  SampaPlayer second(library, messages);
  const std::string wav = testing::ScratchPath(".wav");
  second.SetOutput(kWaveFile, Wide(wav));

  library.IsPlaying();  // loads the library here, before two threads use it
  std::atomic<bool> done{false};
  std::thread speaking([&] {
    Speak(TestSentences[0] + L" " + TestSentences[1], first);
    done = true;
  });
  while (!done && library.IsPlaying() == 0) Sleep(1);
  const bool seenPlaying = !done;
  if (seenPlaying) Speak(L"Ala ma kota.", second);
  const bool stillPlaying = library.IsPlaying() != 0;
  speaking.join();

  ASSERT_TRUE(seenPlaying) << "the first utterance ended before it was seen playing";
  EXPECT_TRUE(stillPlaying) << "the second utterance waited for the first";
  EXPECT_FALSE(fs::exists(wav)) << "the second utterance was played after the first";
  EXPECT_TRUE(messages.shown.empty());
  fs::remove(wav);
}

}  // namespace
}  // namespace mowik
