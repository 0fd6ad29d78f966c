#include "speechd/module_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mowik::speechd {
namespace {

// Feeds lines; returns the replies written at once and the commands completed, in order.
struct Fed {
  std::string replies;
  std::vector<Command> commands;
};
Fed Feed(CommandReader& reader, const std::vector<std::string>& lines) {
  Fed fed;
  for (const std::string& line : lines) {
    CommandReader::Step step = reader.Take(line);
    fed.replies += step.reply;
    if (step.command) fed.commands.push_back(std::move(*step.command));
  }
  return fed;
}

TEST(ModuleCommands, MessageBlocksAnswerAtOnceAndKeepTheirLinesAndDots) {
  CommandReader reader;
  const Fed fed = Feed(reader, {"SPEAK", "<speak>Zażółć", "..", ".kropka", "gęślą</speak>", "."});
  EXPECT_EQ(fed.replies, "202 OK RECEIVING MESSAGE\n");
  ASSERT_EQ(fed.commands.size(), 1u);
  EXPECT_EQ(fed.commands[0].kind, CommandKind::kSpeak);
  EXPECT_EQ(fed.commands[0].text, "<speak>Zażółć\n.\nkropka\ngęślą</speak>");
  EXPECT_EQ(fed.commands[0].lines, 4u);
  EXPECT_EQ(CommandReply(fed.commands[0], true), "200 OK SPEAKING\n");
  EXPECT_FALSE(reader.InBlock());
}

TEST(ModuleCommands, SingleLineMessagesRefuseMoreLinesAndEmptyOnesCannotSpeak) {
  CommandReader reader;
  const Fed fed = Feed(reader, {"CHAR", "a", "b", ".", "KEY", "shift_a", ".", "SPEAK", "."});
  ASSERT_EQ(fed.commands.size(), 3u);
  EXPECT_EQ(CommandReply(fed.commands[0], true), "305 DATA MORE THAN ONE LINE\n");
  EXPECT_EQ(fed.commands[1].kind, CommandKind::kKey);
  EXPECT_EQ(CommandReply(fed.commands[1], true), "200 OK SPEAKING\n");
  EXPECT_EQ(CommandReply(fed.commands[2], true), "301 ERROR CANT SPEAK\n");
}

TEST(ModuleCommands, ParameterBlocksGiveNameValuePairsAndFlagBadLines) {
  CommandReader reader;
  const Fed fed = Feed(reader, {"SET", "rate=20", "language=pl", "voice=", "no equals", ".", "AUDIO",
                                "audio_output_method=server", ".", "LOGLEVEL", "log_level=5", "."});
  EXPECT_EQ(fed.replies,
            "207 OK RECEIVING SETTINGS\n207 OK RECEIVING AUDIO SETTINGS\n207 OK RECEIVING LOGLEVEL SETTINGS\n");
  ASSERT_EQ(fed.commands.size(), 3u);
  const std::vector<std::pair<std::string, std::string>> set = {{"rate", "20"}, {"language", "pl"}, {"voice", ""}};
  EXPECT_EQ(fed.commands[0].params, set);
  EXPECT_EQ(CommandReply(fed.commands[0], true), "302 ERROR BAD SYNTAX\n");
  EXPECT_EQ(CommandReply(fed.commands[1], true), "203 OK AUDIO INITIALIZED\n");
  EXPECT_EQ(CommandReply(fed.commands[1], false), "303 ERROR INVALID PARAMETER OR VALUE\n");
  EXPECT_EQ(CommandReply(fed.commands[2], true), "203 OK LOGLEVEL SET\n");
}

TEST(ModuleCommands, OneLineCommandsAndUnknownOnes) {
  CommandReader reader;
  const Fed fed = Feed(reader, {"INIT", "STOP", "PAUSE", "LIST VOICES", "DEBUG ON /tmp/x", "QUIT", "SPEAK NOW", ""});
  ASSERT_EQ(fed.commands.size(), 8u);
  EXPECT_TRUE(fed.replies.empty());
  const CommandKind kinds[] = {CommandKind::kInit, CommandKind::kStop, CommandKind::kPause, CommandKind::kListVoices,
                               CommandKind::kDebug, CommandKind::kQuit, CommandKind::kUnknown, CommandKind::kUnknown};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(fed.commands[i].kind, kinds[i]) << i;
  EXPECT_EQ(fed.commands[4].text, "ON /tmp/x");
  EXPECT_EQ(CommandReply(fed.commands[5], true), "210 OK QUIT\n");
  EXPECT_EQ(CommandReply(fed.commands[6], true), "300 ERR UNKNOWN COMMAND\n");
}

TEST(ModuleCommands, AMessagePastTheLimitIsReadToItsEndAndRefused) {
  CommandReader reader;
  const std::string mebibyte(1 << 20, 'a');
  reader.Take("SPEAK");
  for (size_t i = 0; i <= kMaxMessageBytes >> 20; ++i) reader.Take(mebibyte);
  const CommandReader::Step end = reader.Take(".");
  ASSERT_TRUE(end.command);
  EXPECT_TRUE(end.command->malformed);
  EXPECT_TRUE(end.command->text.empty());
  EXPECT_EQ(CommandReply(*end.command, true), "301 ERROR CANT SPEAK\n");
  // The next command is read as a command again.
  EXPECT_EQ(reader.Take("STOP").command->kind, CommandKind::kStop);
}

TEST(ModuleCommands, RepliesAndEventsAreWholeLines) {
  EXPECT_EQ(InitReply(true, "Mowik\npl1"), "299-Mowik pl1\n299 OK LOADED SUCCESSFULLY\n");
  EXPECT_EQ(InitReply(false, "no voice"), "399-no voice\n399 ERR CANT INIT MODULE\n");
  EXPECT_EQ(VoiceListReply({{"pl1", "pl", ""}}), "200-pl1\tpl\tnone\n200 OK VOICE LIST SENT\n");
  EXPECT_EQ(VoiceListReply({}), "304 CANT LIST VOICES\n");
  EXPECT_EQ(IndexMarkEvent("słowo\n2"), "700-słowo 2\n700 INDEX MARK\n");
  EXPECT_EQ(SoundIconEvent("capital"), "706-capital\n706 ICON\n");
}

TEST(ModuleCommands, AudioEventsEscapeLineFeedsAndTheEscapeByte) {
  // 0x0A7D and 0x7D0A hold both special bytes; 0x2000 and -1 the inverted forms and 0xFF.
  const int16_t samples[] = {0x0A7D, 0x7D0A, 0x2000, -1, 0};
  const std::string event = AudioEvent(samples, 5, 16000);
  const std::string head =
      "705-bits=16\n705-num_channels=1\n705-sample_rate=16000\n705-num_samples=5\n705-big_endian=0\n705-AUDIO";
  ASSERT_EQ(event.compare(0, head.size(), head), 0);
  ASSERT_EQ(event[head.size()], '\0');
  const std::string tail = "\n705 AUDIO\n";
  ASSERT_EQ(event.compare(event.size() - tail.size(), tail.size(), tail), 0);
  const std::string escaped = event.substr(head.size() + 1, event.size() - head.size() - 1 - tail.size());
  EXPECT_EQ(escaped.find('\n'), std::string::npos);
  std::string bytes;
  ASSERT_TRUE(UnescapeAudio(escaped, bytes));
  EXPECT_EQ(bytes, std::string("\x7D\x0A\x0A\x7D\x00\x20\xFF\xFF\x00\x00", 10));
  EXPECT_FALSE(UnescapeAudio("\x7D", bytes));
}

}  // namespace
}  // namespace mowik::speechd
