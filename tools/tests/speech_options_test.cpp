#include "tools/speech_options.h"

#include <gtest/gtest.h>

namespace mowik {
namespace {

// Takes every argument as a speech option; returns the first error.
std::string Take(std::vector<std::string> args, SpeechOptions& options) {
  std::string error;
  for (size_t i = 0; i < args.size() && error.empty(); ++i)
    if (!TakeSpeechOption(args, i, options, error)) return "not a speech option: " + args[i];
  return error;
}

TEST(SpeechOptions, ProfileValuesWithinTheirRanges) {
  SpeechOptions options;
  EXPECT_EQ(Take({"--pitch", "15", "--duration", "18", "--freq", "30000", "--db", "pl2"}, options), "");
  EXPECT_EQ(options.profile.pitch, 15);
  EXPECT_EQ(options.profile.duration, 18);
  EXPECT_EQ(options.profile.frequency, 30000);
  EXPECT_EQ(options.database, L"pl2");

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--pitch", "14"}, {"--pitch", "401"}, {"--duration", "2"}, {"--freq", "9999"},
           {"--freq", "16k"}, {"--pitch", ""}, {"--pitch", "99999999999999"}, {"--pitch"},
           {"--db", ""}, {"-o"}}) {
    SpeechOptions fresh;
    EXPECT_NE(Take(bad, fresh), "") << bad[0];
    EXPECT_EQ(fresh.profile.pitch, 100) << "a refused value changes nothing";
  }
  std::vector<std::string> other = {"--phonemes"};
  size_t i = 0;
  std::string error;
  EXPECT_FALSE(TakeSpeechOption(other, i, options, error));
}

TEST(SpeechOptions, FileTypeFromTheExtension) {
  auto flags = [](const std::string& file, bool alaw, bool mulaw, std::string* error = nullptr) {
    SpeechOptions options;
    options.out_file = file;
    options.alaw = alaw;
    options.mulaw = mulaw;
    std::string message;
    const int32_t result = FileOutputFlags(options, message);
    if (error) *error = message;
    return message.empty() ? result : -1;
  };
  EXPECT_EQ(flags("", false, false), 0);
  EXPECT_EQ(flags("a.wav", false, false), 0x400);
  EXPECT_EQ(flags("A.WAV", true, false), 0x4400);
  EXPECT_EQ(flags("a.wav", false, true), 0x8400);
  EXPECT_EQ(flags("a.au", false, false), 0x800);
  EXPECT_EQ(flags("a.raw", false, false), 0x1000);
  EXPECT_EQ(flags("a.mp3", false, false), -1);
  EXPECT_EQ(flags("a.au", true, false), -1);
  EXPECT_EQ(flags("a.wav", true, true), -1);
  EXPECT_EQ(flags("", true, false), -1);
}

}  // namespace
}  // namespace mowik
