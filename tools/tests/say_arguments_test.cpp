#include "tools/say_arguments.h"

#include <gtest/gtest.h>

#include "tools/dictionary_file.h"

namespace mowik {
namespace {

TEST(SayArguments, HelpAndVersionStopTheParse) {
  SayArguments help;
  EXPECT_EQ(ParseSayArguments({"--bogus-later", "-h"}, help), "unknown option --bogus-later");
  SayArguments version;
  EXPECT_EQ(ParseSayArguments({"--version", "--bogus"}, version), "");
  EXPECT_EQ(version.action, SayAction::Version);
  SayArguments text;
  EXPECT_EQ(ParseSayArguments({"--", "--version"}, text), "");
  EXPECT_EQ(text.action, SayAction::Run);
  EXPECT_EQ(text.text, "--version") << "after -- it is text";
}

TEST(SayArguments, ValuesAndTheirFaults) {
  SayArguments a;
  ASSERT_EQ(ParseSayArguments({"--random", "0.25", "--no-spell", "-o", "-", "--type", "AU", "Ala", "-", "ma"}, a), "");
  EXPECT_EQ(a.random_draw, 0.25);
  EXPECT_FALSE(a.spell);
  EXPECT_EQ(a.speech.out_file, "-");
  EXPECT_EQ(a.speech.type, "au");
  EXPECT_FALSE(a.read_stdin);
  EXPECT_EQ(a.text, "Ala - ma") << "a lone - is text";

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--random", "nan"}, {"--random", "1"}, {"--random", "-0.1"}, {"--random"}, {"--dict"},
           {"--dict", ""}, {"--type", "mp3"}, {"--type"}, {"-o", ""}, {"--phonemes=1"}}) {
    SayArguments fresh;
    EXPECT_NE(ParseSayArguments(bad, fresh), "") << bad[0];
    EXPECT_FALSE(fresh.random_draw) << bad[0];
  }
}

TEST(SayArguments, StandardOutputTakesItsTypeFromTypeOrIsWav) {
  auto flags = [](const std::string& file, const std::string& type, std::string& error) {
    SpeechOptions options;
    options.out_file = file;
    options.type = type;
    return FileOutputFlags(options, error);
  };
  std::string error;
  EXPECT_EQ(flags("-", "", error), VRL_OUT_FILE_TYPE0);
  EXPECT_EQ(flags("-", "au", error), VRL_OUT_FILE_TYPE1);
  EXPECT_EQ(flags("mowa.dat", "raw", error), VRL_OUT_FILE_TYPE2);
  EXPECT_EQ(flags("mowa.WAV", "wav", error), VRL_OUT_FILE_TYPE0);
  EXPECT_EQ(error, "");
  EXPECT_EQ(flags("mowa.wav", "au", error), 0);
  EXPECT_NE(error, "") << "the name and --type disagree";
  error.clear();
  EXPECT_EQ(flags("", "au", error), 0);
  EXPECT_NE(error, "") << "--type without -o";
}

TEST(DictionaryFile, LinesTabsAndByteOrderMark) {
  std::string error;
  const auto rows = ParseDictionary("\xEF\xBB\xBF" "pkp\tpe ka pe\r\n\r\nul.\tulica\tbis\n", error);
  ASSERT_TRUE(rows) << error;
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ((*rows)[0].find, L"pkp") << "the byte-order mark is not part of the first word";
  EXPECT_EQ((*rows)[0].replace, L"pe ka pe");
  EXPECT_EQ((*rows)[1].replace, L"ulica\tbis");
  EXPECT_TRUE(ParseDictionary("", error)->empty());

  EXPECT_FALSE(ParseDictionary("a\tb\n\nbez tabulatora\n", error));
  EXPECT_EQ(error, "line 3: no tab between find and replace");
  EXPECT_FALSE(ParseDictionary("\xEF\xBB\xBF" "a\t\xC3", error));
  EXPECT_EQ(error, "not valid UTF-8 (bad byte at offset 5)") << "offsets count the mark";
}

}  // namespace
}  // namespace mowik
