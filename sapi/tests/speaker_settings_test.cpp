// The user's settings file beside the voice: read when it is there, never written.
#include "sapi/speaker_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <string>
#include <vector>

#include "mowik/platform/file_store.h"
#include "mowik/platform/program_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/manage_settings.h"

namespace mowik {
namespace {

class SpeakerSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(::testing::TempDir()) /
             ("sapi_settings_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Reset();
  }
  void TearDown() override {
    Reset();
    std::filesystem::remove_all(folder);
  }
  static void Reset() {
    InitialiseGlobals();
    DictionaryTable().Clear();
    VoicesTable().Clear();
  }
  std::filesystem::path File() const { return folder / "mowiksets.conf"; }

  std::filesystem::path folder;
};

TEST_F(SpeakerSettingsTest, TheChosenProfileSpellingAndDictionaryAreUsed) {
  TableModel& voices = VoicesTable();
  for (const auto& [name, pitch, duration] : {std::tuple{L"zwyk\u0142y", L"100", L"10"}, std::tuple{L"wolny", L"150", L"15"}}) {
    const int32_t row = voices.AddRow();
    voices.SetCellText(row, 1, name);
    voices.SetCellText(row, 2, pitch);
    voices.SetCellText(row, 3, duration);
    voices.SetCellText(row, 4, L"16000");
  }
  const int32_t row = DictionaryTable().AddRow();
  DictionaryTable().SetCellText(row, 1, L"kot");
  DictionaryTable().SetCellText(row, 2, L"pies");
  CurrentVoice = 1;
  SpellCapital = 0;
  SaveSettings(FixedFolder(folder.wstring()));
  Reset();

  const SpeakerSettings settings = LoadSpeakerSettings(folder.wstring());
  EXPECT_DOUBLE_EQ(settings.pitchRatio, 1.5);
  EXPECT_DOUBLE_EQ(settings.durationRatio, 1.5);
  EXPECT_FALSE(settings.spellCapital);
  ASSERT_EQ(settings.dictionary, &DictionaryTable());
  ASSERT_EQ(settings.dictionary->Rows(), 1);
  EXPECT_EQ(settings.dictionary->CellText(1, 2), L"pies");
}

TEST_F(SpeakerSettingsTest, NoFileGivesTheDefaultsAndCreatesNothing) {
  const SpeakerSettings settings = LoadSpeakerSettings(folder.wstring());
  EXPECT_DOUBLE_EQ(settings.pitchRatio, 1.0);
  EXPECT_DOUBLE_EQ(settings.durationRatio, 1.0);
  EXPECT_TRUE(settings.spellCapital);
  EXPECT_EQ(settings.dictionary, nullptr);
  EXPECT_FALSE(std::filesystem::exists(File()));
  // A folder that does not exist at all is no different.
  EXPECT_DOUBLE_EQ(LoadSpeakerSettings((folder / "nie-ma").wstring()).pitchRatio, 1.0);
}

TEST_F(SpeakerSettingsTest, AnEmptyOrDamagedFileIsLeftAsItIs) {
  { std::ofstream(File(), std::ios::binary); }
  LoadSpeakerSettings(folder.wstring());
  EXPECT_EQ(std::filesystem::file_size(File()), 0u);

  const std::string junk = "nie jest to plik ustawie\xC5\x84";
  { std::ofstream(File(), std::ios::binary) << junk; }
  const SpeakerSettings settings = LoadSpeakerSettings(folder.wstring());
  EXPECT_DOUBLE_EQ(settings.pitchRatio, 1.0);
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadWholeFile(File().wstring(), 1 << 20, bytes), FileRead::kRead);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), junk);
}

TEST_F(SpeakerSettingsTest, OutOfRangeProfileValuesKeepTheDefaults) {
  const int32_t row = VoicesTable().AddRow();
  VoicesTable().SetCellText(row, 1, L"zepsuty");
  VoicesTable().SetCellText(row, 2, L"9000");
  VoicesTable().SetCellText(row, 3, L"abc");
  CurrentVoice = 0;
  SaveSettings(FixedFolder(folder.wstring()));
  Reset();
  const SpeakerSettings settings = LoadSpeakerSettings(folder.wstring());
  EXPECT_DOUBLE_EQ(settings.pitchRatio, 1.0);
  EXPECT_DOUBLE_EQ(settings.durationRatio, 1.0);
}

TEST_F(SpeakerSettingsTest, NaturalReadingFollowsTheFile) {
  EXPECT_TRUE(LoadSpeakerSettings(folder.wstring()).natural) << "no file: natural reading";
  SaveSettings(FixedFolder(folder.wstring()));  // a reader's file that never had the key
  Reset();
  EXPECT_TRUE(LoadSpeakerSettings(folder.wstring()).natural) << "no key: natural reading";
  NaturalReading = 1;
  SaveSettings(FixedFolder(folder.wstring()));
  Reset();
  EXPECT_TRUE(LoadSpeakerSettings(folder.wstring()).natural);
  NaturalReading = 0;  // the loaded file held the key: turning it off is stored
  SaveSettings(FixedFolder(folder.wstring()));
  Reset();
  EXPECT_FALSE(LoadSpeakerSettings(folder.wstring()).natural) << "NaturalReading 0";
}

}  // namespace
}  // namespace mowik
