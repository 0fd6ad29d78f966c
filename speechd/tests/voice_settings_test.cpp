#include "speechd/voice_settings.h"

#include <gtest/gtest.h>

#include "speechd/module_config.h"

namespace mowik::speechd {
namespace {

TEST(VoiceSettings, ServerValuesAreTakenClampedOrRefused) {
  VoiceSettings settings;
  EXPECT_TRUE(ApplySetting(settings, "rate", "40"));
  EXPECT_TRUE(ApplySetting(settings, "pitch", "-250"));
  EXPECT_TRUE(ApplySetting(settings, "volume", "+99999999999999999999"));
  EXPECT_TRUE(ApplySetting(settings, "punctuation_mode", "all"));
  EXPECT_TRUE(ApplySetting(settings, "cap_let_recogn", "spell"));
  EXPECT_TRUE(ApplySetting(settings, "spelling_mode", "on"));
  EXPECT_TRUE(ApplySetting(settings, "synthesis_voice", "pl1"));
  EXPECT_TRUE(ApplySetting(settings, "pitch_range", "10"));  // a parameter the module does not use
  EXPECT_EQ(settings.rate, 40);
  EXPECT_EQ(settings.pitch, -100);
  EXPECT_EQ(settings.volume, 100);
  EXPECT_EQ(settings.punctuation, Punctuation::kAll);
  EXPECT_EQ(settings.capitals, CapitalRecognition::kSpell);
  EXPECT_TRUE(settings.spelling);
  EXPECT_EQ(settings.synthesisVoice, "pl1");

  EXPECT_FALSE(ApplySetting(settings, "rate", "fast"));
  EXPECT_FALSE(ApplySetting(settings, "rate", ""));
  EXPECT_FALSE(ApplySetting(settings, "cap_let_recogn", "loud"));
  EXPECT_FALSE(ApplySetting(settings, "spelling_mode", "1"));
  EXPECT_EQ(settings.rate, 40);

  EXPECT_TRUE(ApplySetting(settings, "rate", "NULL"));
  EXPECT_TRUE(ApplySetting(settings, "cap_let_recogn", "NULL"));
  EXPECT_TRUE(ApplySetting(settings, "language", "NULL"));
  EXPECT_EQ(settings.rate, 0);
  EXPECT_EQ(settings.capitals, CapitalRecognition::kNone);
  EXPECT_EQ(settings.language, "pl");
}

TEST(VoiceSettings, RateTripledAtTheTopPitchAnOctave) {
  EXPECT_DOUBLE_EQ(DurationRatioOfRate(0), 1.0);
  EXPECT_LE(DurationRatioOfRate(100), 1.0 / 3.0 + 1e-12);
  EXPECT_GE(DurationRatioOfRate(-100), 3.0 - 1e-12);
  EXPECT_LT(DurationRatioOfRate(50), DurationRatioOfRate(20));
  EXPECT_DOUBLE_EQ(DurationRatioOfRate(500), DurationRatioOfRate(100));
  EXPECT_DOUBLE_EQ(PitchRatioOfPitch(100), 2.0);
  EXPECT_DOUBLE_EQ(PitchRatioOfPitch(-100), 0.5);
}

TEST(ModuleConfig, MowikSettingsAreReadAndTheServersLeftAlone) {
  std::vector<std::string> warnings;
  const ModuleConfig config = ParseModuleConfig(
      "# Mowik\n"
      "AddVoice \"pl\" \"MALE1\" \"pl1\"\n"
      "mowikvoice \"pl2\"\r\n"
      "MowikVoiceFolder   \"/usr/share/mowik\"  # the package's\n"
      "MowikUserSettings 0 # none\n"
      "MowikNaturalReading yes\n"
      "MowikLogFile\n",
      warnings);
  EXPECT_EQ(config.voice, "pl2");
  EXPECT_EQ(config.voiceFolder, "/usr/share/mowik");
  EXPECT_FALSE(config.userSettings);
  EXPECT_TRUE(config.naturalReading);
  EXPECT_TRUE(config.logFile.empty());
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0], "mowik.conf line 6: MowikNaturalReading takes 0 or 1, not 'yes'");
  EXPECT_EQ(warnings[1], "mowik.conf line 7: MowikLogFile needs a value");
}

}  // namespace
}  // namespace mowik::speechd
