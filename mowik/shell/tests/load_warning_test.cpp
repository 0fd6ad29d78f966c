#include "mowik/shell/load_warning.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

TEST(SettingsLoadWarning, OnlyALostOrUntouchedFileIsWorthAWord) {
  const std::wstring path = L"C:\\Mowik\\mowiksets.conf";
  for (SettingsLoad quiet : {SettingsLoad::kRead, SettingsLoad::kCreated, SettingsLoad::kDefaultsInMemory})
    EXPECT_EQ(SettingsLoadWarning(quiet, path), L"") << static_cast<int>(quiet);
  for (SettingsLoad told : {SettingsLoad::kNotRead, SettingsLoad::kDamaged, SettingsLoad::kDamagedNotStored})
    EXPECT_NE(SettingsLoadWarning(told, path).find(path), std::wstring::npos) << static_cast<int>(told);
  EXPECT_NE(SettingsLoadWarning(SettingsLoad::kDamaged, path).find(path + L".bad"), std::wstring::npos)
      << "the user learns where the copy went";
}

}  // namespace
}  // namespace mowik
