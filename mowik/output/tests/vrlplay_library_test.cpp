// The bridge over stand-ins of vrlplay.dll beside the test program, loaded by name.
#include "mowik/output/vrlplay_library.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mowik/program/main_module.h"
#include "mowik/output/sampa_player.h"

namespace mowik {
namespace {

class RecordingReporter : public PlayerReporter {
 public:
  void ShowPlayerError(const std::wstring& text) override { shown.push_back(text); }
  std::vector<std::wstring> shown;
};

template <typename Fn>
Fn FakeControl(const char* name) {
  HMODULE module = GetModuleHandleW(L"vrlplay.dll");
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::string TakeCalls() {
  auto take = FakeControl<int(WINAPI*)(char*, int)>("Fake_TakeCalls");
  if (!take) return "(fake not loaded)";
  std::string buffer(65536, '\0');
  buffer.resize(static_cast<size_t>(take(buffer.data(), static_cast<int>(buffer.size()))));
  return buffer;
}

TEST(VrlplayLibrary, LoadsOnFirstCallAndSpeaksThroughTheFunctions) {
  InitialiseGlobals();
  PitchRatio = 1.0f;
  DurationRatio = 1.0f;
  VoiceFreq = 16000;
  RecordingReporter reporter;
  VrlplayLibrary library(reporter);
  EXPECT_EQ(GetModuleHandleW(L"vrlplay.dll"), nullptr) << "nothing is loaded before the first call";
  SampaPlayer bridge(library, reporter);
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_FALSE(library.Unavailable());
  EXPECT_TRUE(reporter.shown.empty());
  EXPECT_EQ(TakeCalls(),
            "IsPlaying\nSetDatabase pl1\nLastError 1024\nSetPitchRatio 1.00\nLastError 1024\n"
            "SetDurationRatio 1.00\nLastError 1024\nSetVoiceFreq 16000\nLastError 1024\n"
            "Play [\r\na 70 0 160\r\n] 64 0 0\nLastError 1024\nStop\nLastError 1024\n");

  FakeControl<void(WINAPI*)(const char*, int)>("Fake_SetResult")("SetDatabase", -7);
  FakeControl<void(WINAPI*)(const char*)>("Fake_SetErrorText")("Can't load the pl1 database");
  bridge.PlaySampa("\r\na 70 0 160");
  ASSERT_FALSE(reporter.shown.empty());
  EXPECT_EQ(reporter.shown[0], L"Can't load the pl1 database");
  FakeControl<void(WINAPI*)(const char*, int)>("Fake_SetResult")("SetDatabase", 0);
  FakeControl<void(WINAPI*)(const char*)>("Fake_SetErrorText")("");

  TakeCalls();
  FakeControl<void(WINAPI*)(int)>("Fake_SetPlaying")(1);
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_EQ(TakeCalls(), "IsPlaying\n") << "a second utterance while playing is dropped";
  FakeControl<void(WINAPI*)(int)>("Fake_SetPlaying")(0);
}

TEST(VrlplayLibrary, ErrorTextsAreReadInTheAnsiCodePage) {
  // A file name with a letter outside ASCII, as the player would echo it in its message.
  char ansi[64] = {};
  BOOL lossy = FALSE;
  const std::wstring text = L"Can't open \u20AC.pho file";
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy);
  if (size <= 0 || lossy) GTEST_SKIP() << "the code page has no euro sign";
  RecordingReporter reporter;
  VrlplayLibrary library(reporter);
  SampaPlayer bridge(library, reporter);
  library.IsPlaying();  // loads the stand-in, so that it can be told what to answer
  FakeControl<void(WINAPI*)(const char*, int)>("Fake_SetResult")("Play", -4);
  FakeControl<void(WINAPI*)(const char*)>("Fake_SetErrorText")(ansi);
  bridge.PlaySampa("\r\na 70 0 160");
  FakeControl<void(WINAPI*)(const char*, int)>("Fake_SetResult")("Play", 0);
  FakeControl<void(WINAPI*)(const char*)>("Fake_SetErrorText")("");
  TakeCalls();
  ASSERT_FALSE(reporter.shown.empty());
  EXPECT_EQ(reporter.shown[0], text);
  EXPECT_EQ(PlayerErrorText, text);
}

TEST(VrlplayLibrary, MissingLibraryIsReportedOnceAndNothingIsSpoken) {
  RecordingReporter reporter;
  VrlplayLibrary library(reporter, L"no-such-vrlplay.dll");
  SampaPlayer bridge(library, reporter);
  bridge.PlaySampa("\r\na 70 0 160");
  bridge.PlaySampa("\r\na 70 0 160");
  EXPECT_TRUE(library.Unavailable());
  ASSERT_EQ(reporter.shown.size(), 1u);
  EXPECT_NE(reporter.shown[0].find(L"no-such-vrlplay.dll"), std::wstring::npos);
}

TEST(VrlplayLibrary, MissingFunctionIsNamed) {
  RecordingReporter reporter;
  VrlplayLibrary library(reporter, L"vrlplay_partial.dll");
  SampaPlayer bridge(library, reporter);
  bridge.PlaySampa("\r\na 70 0 160");
  ASSERT_EQ(reporter.shown.size(), 1u);
  EXPECT_NE(reporter.shown[0].find(L"VRL_Stop"), std::wstring::npos);
  EXPECT_TRUE(library.Unavailable());
}

}  // namespace
}  // namespace mowik
