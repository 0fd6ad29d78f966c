#include "vrlplay/command_stream.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "vrlplay/stack_error.h"

namespace mowik {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(ForEachLine, OnlyLfEndedPiecesComeOutAndEmptyOnesStay) {
  EXPECT_EQ(Lines("a\n\nb"), (std::vector<std::string>{"a\n", "\n"}));
  EXPECT_EQ(Lines("\r\na 10\r\n_ 5"), (std::vector<std::string>{"\r\n", "a 10\r\n"}));
  EXPECT_TRUE(Lines("no line end").empty());
  EXPECT_TRUE(Lines("").empty());
}

TEST(CommandNumbers, ReadLikeCNumbersAndSaturate) {
  EXPECT_DOUBLE_EQ(ParseDecimal("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ParseDecimal(" \t-2.25xyz"), -2.25);
  EXPECT_DOUBLE_EQ(ParseDecimal("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseDecimal("3."), 3.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("1e2"), 100.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("1e"), 1.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("1e+"), 1.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("2E-1\r"), 0.2);
  EXPECT_DOUBLE_EQ(ParseDecimal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("."), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("-"), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("nan"), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("inf"), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimal("1e-99999"), 0.0);
  EXPECT_GT(ParseDecimal("1e99999"), DBL_MAX);
  EXPECT_EQ(ParseFloat("1e300"), FLT_MAX);
  EXPECT_EQ(ParseFloat("-1e300"), -FLT_MAX);

  EXPECT_EQ(ParseInteger(" 8000"), 8000);
  EXPECT_EQ(ParseInteger("-12.7"), -12);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger("99999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseInteger("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseInteger("-99999999999999999999"), INT_MIN);
}

TEST(CommandLines, WordsMatchInAnyCaseAndKeepTheWholeValue) {
  const CommandLine pitch = ParseCommandLine(" \tPITCH=1.5");
  EXPECT_EQ(pitch.kind, CommandKind::kPitch);
  EXPECT_EQ(pitch.value, "1.5");
  EXPECT_EQ(ParseCommandLine("Pitch=1.5").kind, CommandKind::kPitch);
  EXPECT_EQ(ParseCommandLine("time=0.8").kind, CommandKind::kTime);
  EXPECT_EQ(ParseCommandLine("vol=2").kind, CommandKind::kVolume);
  EXPECT_EQ(ParseCommandLine("Voice=8000").kind, CommandKind::kVoice);
  EXPECT_EQ(ParseCommandLine("noerror=on").kind, CommandKind::kNoError);
  EXPECT_EQ(ParseCommandLine("dir=C:\\x").value, "C:\\x");

  const CommandLine database = ParseCommandLine("database=pl1\r");
  EXPECT_EQ(database.kind, CommandKind::kDatabase);
  EXPECT_EQ(database.value, "pl1\r");  // a CR stays part of the value
  EXPECT_EQ(ParseCommandLine("database=pl1 ").value, "pl1 ");

  EXPECT_EQ(ParseCommandLine(" \t; comment").kind, CommandKind::kComment);
  EXPECT_EQ(ParseCommandLine("   ").kind, CommandKind::kEmpty);
  EXPECT_EQ(ParseCommandLine("").kind, CommandKind::kEmpty);
  EXPECT_EQ(ParseCommandLine("pitch 1.5").kind, CommandKind::kPhonemeFile);
}

TEST(CommandLines, FileKindFollowsTheLastDot) {
  EXPECT_EQ(ParseCommandLine("intro.PHS").kind, CommandKind::kCommandFile);
  EXPECT_EQ(ParseCommandLine("a.b.phs").kind, CommandKind::kCommandFile);
  EXPECT_EQ(ParseCommandLine("intro.pho").kind, CommandKind::kPhonemeFile);
  EXPECT_EQ(ParseCommandLine("intro").kind, CommandKind::kPhonemeFile);
  EXPECT_EQ(ParseCommandLine("intro.phs ").kind, CommandKind::kPhonemeFile);
  EXPECT_EQ(ParseCommandLine("  x.phs").value, "x.phs");
}

TEST(CommandLines, NoErrorAcceptsOnlyYesAndOn) {
  EXPECT_EQ(NoErrorFlag("YES"), 1);
  EXPECT_EQ(NoErrorFlag("On"), 1);
  EXPECT_EQ(NoErrorFlag("1"), 0);
  EXPECT_EQ(NoErrorFlag("yes\r"), 0);
  EXPECT_EQ(NoErrorFlag(""), 0);
}

TEST(RatioLines, PrefixBlankAndThreeDecimals) {
  EXPECT_EQ(RatioLine(RatioKind::kPitch, 1.5f), ";; F =  1.500\n");
  EXPECT_EQ(RatioLine(RatioKind::kDuration, 1.0f), ";; T =  1.000\n");
  EXPECT_EQ(RatioLine(RatioKind::kPitch, 0.1f), ";; F =  0.100\n");
  EXPECT_EQ(RatioLine(RatioKind::kDuration, -2.0f), ";; T =  -2.000\n");
  EXPECT_FALSE(RatioLine(RatioKind::kPitch, FLT_MAX).empty());
}

// Records what a command stream asks for; files come from a map.
class RecordingHost : public CommandHost {
 public:
  std::vector<std::string> log;
  std::map<std::string, std::string> files;
  int cancelAfterChecks = -1;

  void CheckCancelled() override {
    if (cancelAfterChecks == 0) throw CStackError::Of(-1);
    if (cancelAfterChecks > 0) --cancelAfterChecks;
  }
  void ChangeDirectory(const std::string& path) override { log.push_back("dir " + path); }
  void SetVolume(float ratio) override { log.push_back("vol " + std::to_string(ratio)); }
  void ApplyRatio(RatioKind kind, float value) override {
    log.push_back((kind == RatioKind::kPitch ? "pitch " : "time ") + std::to_string(value));
  }
  void SetVoiceFreq(int frequency) override { log.push_back("voice " + std::to_string(frequency)); }
  void SetNoError(int flag) override { log.push_back("noerror " + std::to_string(flag)); }
  void SelectDatabase(const std::string& id) override { log.push_back("database " + id); }
  std::string ReadFile(const std::string& name) override {
    auto found = files.find(name);
    if (found == files.end()) throw CStackError::Of(-4, name);
    return found->second;
  }
  void PlayPhonemes(const std::string& text, bool closeAtEnd) override {
    log.push_back("play " + text + (closeAtEnd ? "|close" : ""));
  }
  void DispatchMessages() override {}
};

TEST(RunCommandStream, EachLineActsInOrderAndCloseAtEndPlaysEmptyText) {
  RecordingHost host;
  host.files["a.pho"] = "a 10\n";
  host.files["inner.PHS"] = "voice=abc\nnoerror=YES\n";
  RunCommandStream(
      "dir=/tmp\nvol=2\ntime=0.8\npitch=1.5\n ; note\n\t \nvoice=8000\nnoerror=1\n"
      "database=pl1\r\na.pho\ninner.PHS\npitch=2",
      true, host);
  EXPECT_EQ(host.log, (std::vector<std::string>{
                          "dir /tmp", "vol 2.000000", "time 0.800000", "pitch 1.500000",
                          "voice 8000", "noerror 0", "database pl1\r", "play a 10\n", "voice 0",
                          "noerror 1", "play |close"}));
}

TEST(RunCommandStream, ZeroRatiosChangeNothing) {
  RecordingHost host;
  RunCommandStream("pitch=0\ntime=abc\npitch=-0.0\ntime=0.5\n", false, host);
  EXPECT_EQ(host.log, (std::vector<std::string>{"time 0.500000"}));
}

TEST(RunCommandStream, RatiosTheEngineCannotUseEndTheStreamBeforeReachingIt) {
  for (const char* line : {"time=1e30\n", "pitch=-1\n", "time=0.01\n", "pitch=1e99\n", "vol=-0.5\n", "vol=21\n"}) {
    RecordingHost host;
    try {
      RunCommandStream(std::string("voice=1\n") + line + "voice=2\n", true, host);
      ADD_FAILURE() << line << " was taken";
    } catch (const CStackError& error) {
      EXPECT_EQ(error.Code(), -5) << line;
      EXPECT_TRUE(error.Message().has_value()) << line;
    }
    EXPECT_EQ(host.log, (std::vector<std::string>{"voice 1"})) << line;
  }
  RecordingHost host;
  RunCommandStream("vol=0\npitch=0.05\ntime=20\n", false, host);
  EXPECT_EQ(host.log, (std::vector<std::string>{"vol 0.000000", "pitch 0.050000", "time 20.000000"}));
}

TEST(RunCommandStream, CancellationEndsTheStreamBeforeTheNextLine) {
  RecordingHost host;
  host.cancelAfterChecks = 2;
  try {
    RunCommandStream("voice=1\nvoice=2\nvoice=3\n", true, host);
    FAIL() << "not cancelled";
  } catch (const CStackError& error) {
    EXPECT_EQ(error.Code(), -1);
  }
  EXPECT_EQ(host.log, (std::vector<std::string>{"voice 1", "voice 2"}));
}

TEST(RunCommandStream, MissingFileEndsTheWholeRequestWithMinus4) {
  RecordingHost host;
  host.files["outer.phs"] = "voice=1\nmissing.pho\nvoice=2\n";
  try {
    RunCommandStream("outer.phs\nvoice=3\n", true, host);
    FAIL() << "no error";
  } catch (const CStackError& error) {
    EXPECT_EQ(error.Code(), -4);
    EXPECT_EQ(error.Message().value(), "Can't open missing.pho file");
  }
  EXPECT_EQ(host.log, (std::vector<std::string>{"voice 1"}));
}

TEST(RunCommandStream, SelfIncludingFilesStopAtTheNestingLimit) {
  RecordingHost host;
  host.files["self.phs"] = "voice=1\nself.phs\n";
  try {
    RunCommandStream("self.phs\n", false, host);
    FAIL() << "no error";
  } catch (const CStackError& error) {
    EXPECT_EQ(error.Code(), -4);
    EXPECT_EQ(error.Message().value(), "Can't open self.phs file");
  }
  EXPECT_EQ(host.log.size(), static_cast<size_t>(kMaxCommandFileDepth));

  // Exactly the limit is still fine.
  RecordingHost chain;
  for (int i = 1; i <= kMaxCommandFileDepth; ++i) {
    chain.files["f" + std::to_string(i) + ".phs"] =
        i < kMaxCommandFileDepth ? "f" + std::to_string(i + 1) + ".phs\n" : "voice=7\n";
  }
  RunCommandStream("f1.phs\n", false, chain);
  EXPECT_EQ(chain.log, (std::vector<std::string>{"voice 7"}));
}

TEST(RunCommandStream, FilesNamingEachOtherManyTimesStopAtTheFileBudget) {
  RecordingHost host;
  host.files["fan.phs"] = "fan.phs\nfan.phs\nfan.phs\nfan.phs\n";  // 4^16 reads unbounded
  host.files["a.pho"] = "a 1\n";
  EXPECT_THROW(RunCommandStream("fan.phs\n", false, host), CStackError);

  RecordingHost many;
  many.files["a.pho"] = "a 1\n";
  std::string text;
  for (int i = 0; i < kMaxStreamFiles + 1; ++i) text += "a.pho\n";
  try {
    RunCommandStream(text, false, many);
    FAIL() << "no error";
  } catch (const CStackError& error) {
    EXPECT_EQ(error.Code(), -4);
  }
  EXPECT_EQ(many.log.size(), static_cast<size_t>(kMaxStreamFiles));
}

}  // namespace
}  // namespace mowik
