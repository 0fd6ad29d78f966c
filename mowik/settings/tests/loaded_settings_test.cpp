// LoadSettings as a value: the same globals and tables as the window's load, and the profile
// the window would select.
#include <gtest/gtest.h>

#include "testing/temp_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/settings/property_bag_class.h"

namespace mowik {
namespace {

class LoadedSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VoicesTable().Clear();
    DictionaryTable().Clear();
    CurrentVoice = 0;
  }
  void TearDown() override { SetUp(); }
  // A file of rows profiles with CurrentVoice current.
  void Store(int32_t rows, int16_t current) {
    PropertyBagClass bag;
    bag.WriteProperty(L"CurrentVoice", current);
    bag.WriteProperty(L"VoiceCount", rows);
    for (int32_t n = 1; n <= rows; ++n) {
      bag.WriteProperty(L"VoiceName" + std::to_wstring(n), L"g\u0142os " + std::to_wstring(n));
      bag.WriteProperty(L"VoicePitch" + std::to_wstring(n), std::to_wstring(100 + n));
    }
    ASSERT_TRUE(bag.SaveToFile(SettingsPath(place), true, true));
  }

  TempFolder folder;
  FixedFolder place{folder.Path()};
};

TEST_F(LoadedSettingsTest, TheChosenProfileIsTheStoredOneOrTheFirst) {
  Store(3, 2);
  const LoadedSettings loaded = LoadSettings(place);
  EXPECT_EQ(loaded.result, SettingsLoad::kRead);
  EXPECT_EQ(loaded.chosenVoice, 2);
  ASSERT_EQ(VoicesTable().Rows(), 3);
  EXPECT_EQ(VoicesTable().CellText(3, 2), L"103");

  for (const int16_t beyond : {int16_t{3}, int16_t{-1}}) {
    Store(3, beyond);
    EXPECT_EQ(LoadSettings(place).chosenVoice, 0) << beyond;
  }
  Store(0, 0);
  EXPECT_EQ(LoadSettings(place).chosenVoice, -1) << "no profiles: none is chosen";
}

TEST_F(LoadedSettingsTest, NoFileGivesTheDefaultProfileChosen) {
  const LoadedSettings loaded = LoadSettings(place);
  EXPECT_EQ(loaded.result, SettingsLoad::kCreated);
  EXPECT_EQ(loaded.chosenVoice, 0);
  EXPECT_EQ(VoicesTable().CellText(1, 2), L"100");
}

}  // namespace
}  // namespace mowik
