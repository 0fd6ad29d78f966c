// One settings file, three consumers of its voice profiles: the reader's profile handlers, the
// SAPI voice and mowik-say (given the same cells as options) speak with the same ratios.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mowik/platform/program_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/program/voice_profile.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/shell/voice_profiles.h"
#include "sapi/speaker_settings.h"
#include "tools/speech_options.h"

namespace mowik {
namespace {

// The reader's window as far as choosing a profile goes.
class ChoosingView : public VoiceProfilesView {
 public:
  int32_t SliderValue(int index) const override { return sliders[index]; }
  void SetSliderValue(int index, int32_t value) override { sliders[index] = value; }
  std::wstring VoiceNameText() const override { return L""; }
  void SetVoiceNameText(const std::wstring&) override {}
  void FocusVoiceNameAllSelected() override {}
  void EnableSaveVoice(bool) override {}
  void ShowVoicesTable() override {}
  int32_t VoiceListSelection() const override { return selection; }
  void SetVoiceListSelection(int32_t index) override { selection = index; }
  void ClearVoiceList() override {}
  void AddVoiceListEntry(const std::wstring&) override {}
  int32_t sliders[3] = {100, 10, 16000};
  int32_t selection = -1;
};

class SilentSpeaker : public Speaker {
 public:
  void Speak(std::wstring) override {}
};

struct Cells {
  const wchar_t* pitch;
  const wchar_t* duration;
  bool sayTakesThem;  // whole numbers within the options' ranges
};

// Cells a reader writes, and cells only a hand-edited file holds.
constexpr Cells kProfiles[] = {
    {L"100", L"10", true},   {L"15", L"3", true},     {L"400", L"18", true},   {L"137", L"7", true},
    {L"500", L"25", false},  {L"150.5", L"12", false}, {L"abc", L"0", false},  {L"9000", L"-4", false},
    {L"4", L"1 s", false},   {L"", L"", false},
};

class ProfileConsumersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder per test: ctest runs the tests of this file at once.
    folder = std::filesystem::path(::testing::TempDir()) /
             ("profile_consumers_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    InitialiseGlobals();
    VoicesTable().Clear();
    DictionaryTable().Clear();
  }
  void TearDown() override {
    InitialiseGlobals();
    VoicesTable().Clear();
    std::filesystem::remove_all(folder);
  }
  // Saves the file with profile index in use; returns what the SAPI voice reads from it, and
  // leaves in the globals what the reader's handlers set for the same choice.
  SpeakerSettings ChooseEverywhere(int32_t index) {
    CurrentVoice = static_cast<int16_t>(index);
    SaveSettings(FixedFolder(folder.wstring()));
    const SpeakerSettings sapi = LoadSpeakerSettings(folder.wstring());
    ChoosingView view;
    SilentSpeaker speaker;
    VoiceProfiles reader(VoicesTable(), view, speaker);
    PitchRatio = DurationRatio = 0;
    reader.SelectVoice(index);
    EXPECT_EQ(CurrentVoice, index);
    return sapi;
  }

  std::filesystem::path folder;
};

TEST_F(ProfileConsumersTest, TheSameStoredProfileGivesTheSameRatiosEverywhere) {
  TableModel& voices = VoicesTable();
  for (const Cells& cells : kProfiles) {
    const int32_t row = voices.AddRow();
    voices.SetCellText(row, 1, L"g\u0142os");
    voices.SetCellText(row, 2, cells.pitch);
    voices.SetCellText(row, 3, cells.duration);
    voices.SetCellText(row, 4, L"16000");
  }
  SaveSettings(FixedFolder(folder.wstring()));

  for (int32_t index = 0; index < static_cast<int32_t>(std::size(kProfiles)); ++index) {
    const Cells& cells = kProfiles[index];
    SCOPED_TRACE(testing::Message() << "pitch '" << testing::PrintToString(std::wstring(cells.pitch)) << "', duration '"
                                    << testing::PrintToString(std::wstring(cells.duration)) << "'");
    // The file as the reader loads it, with this profile in use.
    InitialiseGlobals();
    LoadSettings(FixedFolder(folder.wstring()));
    const SpeakerSettings sapi = ChooseEverywhere(index);
    const float readerPitch = PitchRatio, readerDuration = DurationRatio;
    EXPECT_EQ(readerPitch, static_cast<float>(sapi.pitchRatio));
    EXPECT_EQ(readerDuration, static_cast<float>(sapi.durationRatio));
    EXPECT_GE(sapi.pitchRatio, kLowestRatio);
    EXPECT_LE(sapi.pitchRatio, kHighestRatio);
    EXPECT_GE(sapi.durationRatio, kLowestRatio);
    EXPECT_LE(sapi.durationRatio, kHighestRatio);

    // mowik-say takes only whole numbers within the sliders' ranges, and refuses the rest.
    auto narrow = [](const wchar_t* text) { return std::string(text, text + std::wstring(text).size()); };
    const std::vector<std::string> args = {"--pitch", narrow(cells.pitch), "--duration", narrow(cells.duration)};
    SpeechOptions options;
    std::string error;
    for (size_t i = 0; i < args.size() && error.empty(); ++i) ASSERT_TRUE(TakeSpeechOption(args, i, options, error));
    EXPECT_EQ(error.empty(), cells.sayTakesThem) << error;
    if (!cells.sayTakesThem) continue;
    PitchRatio = DurationRatio = 0;
    ApplyVoiceProfile(options.profile);
    EXPECT_EQ(PitchRatio, readerPitch);
    EXPECT_EQ(DurationRatio, readerDuration);
  }
}

TEST_F(ProfileConsumersTest, TheReaderAndTheSapiVoiceAgreeOnEverySliderValue) {
  TableModel& voices = VoicesTable();
  for (int32_t pitch = kPitchLimits.lowest; pitch <= kPitchLimits.highest; ++pitch) {
    const int32_t row = voices.AddRow();
    voices.SetCellText(row, 2, std::to_wstring(pitch));
    voices.SetCellText(row, 3, std::to_wstring(kDurationLimits.lowest + pitch % 16));
    voices.SetCellText(row, 4, L"16000");
  }
  for (int32_t index : {0, 85, 161, 385}) {
    const SpeakerSettings sapi = ChooseEverywhere(index);
    EXPECT_EQ(PitchRatio, static_cast<float>(sapi.pitchRatio)) << index;
    EXPECT_EQ(DurationRatio, static_cast<float>(sapi.durationRatio)) << index;
    EXPECT_DOUBLE_EQ(sapi.pitchRatio, (kPitchLimits.lowest + index) / 100.0);
  }
}

}  // namespace
}  // namespace mowik
