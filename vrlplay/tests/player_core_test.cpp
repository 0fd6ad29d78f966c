#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "vrlplay/copy_out.h"
#include "vrlplay/database_info.h"
#include "vrlplay/request.h"
#include "vrlplay/request_queue.h"
#include "vrlplay/stack_error.h"
#include "vrlplay/stream_file.h"
#include "vrlplay/vrlplay.h"

extern "C" int vrlplay_header_from_c(void);

namespace mowik {
namespace {

TEST(VrlplayHeader, CompilesAsC) {
  EXPECT_EQ(vrlplay_header_from_c(), VRL_DEFAULT_MSG_BASE + VRL_MSG_END - 11 + 0x10000);
}

TEST(CStackError, LaterTextsGoInFrontWithCrLf) {
  EXPECT_EQ(CStackError(-3, {"one", "two", "three"}).Message().value(), "three\r\ntwo\r\none");
  EXPECT_FALSE(CStackError(0, {}).Message().has_value());
  EXPECT_EQ(CStackError::Of(-2, "line 3: bad").Message().value(), "Varelo Error :\r\nline 3: bad");
  EXPECT_EQ(CStackError::Of(-6).Message().value(), "Can't open device out");
  EXPECT_EQ(CStackError::Of(-6, "out.wav").Message().value(), "out.wav\r\nCan't open device out");
  EXPECT_EQ(CStackError::Of(-7, "pl9").Message().value(), "Can't load the pl9 database");
  EXPECT_EQ(CStackError::Of(-11).Message().value(), "Varelo DLL not found");
  EXPECT_FALSE(CStackError::Of(-12).Message().has_value());
  EXPECT_FALSE(CStackError::Of(5).Message().has_value());
}

TEST(CopyOut, TruncatesToLenWithTheTerminatorAndNeverWritesPastIt) {
  char buf[8];
  std::fill(std::begin(buf), std::end(buf), 'x');
  EXPECT_EQ(CopyOut("pl1", buf, 8), 4);
  EXPECT_STREQ(buf, "pl1");
  EXPECT_EQ(buf[4], 'x');

  std::fill(std::begin(buf), std::end(buf), 'x');
  EXPECT_EQ(CopyOut("abcdefghij", buf, 4), 4);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(buf[4], 'x');

  EXPECT_EQ(CopyOut("abc", buf, 1), 1);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], 'b');  // left from before: only the terminator was written

  buf[0] = 'q';
  EXPECT_EQ(CopyOut(std::nullopt, buf, 8), 0);
  EXPECT_EQ(CopyOut("abc", buf, 0), 0);
  EXPECT_EQ(CopyOut("abc", buf, -5), 0);
  EXPECT_EQ(buf[0], 'q');
  EXPECT_EQ(CopyOut("abc", nullptr, 8), 0);
}

TEST(InfoText, CrBeforeEveryLfAndTwoLineEndsAfter) {
  const std::string text = InfoText("a\nb\n");
  EXPECT_EQ(text, "a\r\nb\r\n\r\n\r\n");
  EXPECT_EQ(text.size(), 4u + 2u + 4u);  // length + LF count + 4
  EXPECT_EQ(InfoText(""), "\r\n\r\n");
}

TEST(Request, TypeAndKindFollowTheTwoBits) {
  EXPECT_EQ(PlayRequestType(0), kPhonemeText);
  EXPECT_EQ(PlayRequestType(VRL_FROM_FILE), kPhonemeFile);
  EXPECT_EQ(PlayRequestType(VRL_COMMANDS), kCommandText);
  EXPECT_EQ(PlayRequestType(VRL_COMMANDS | VRL_FROM_FILE | VRL_WAIT), kCommandFile);
  EXPECT_EQ(RequestKind(VRL_COMMANDS | VRL_FROM_FILE | VRL_WAIT | VRL_NOTIFY_END), 0x220);
  EXPECT_EQ(RequestKind(VRL_KEEP_OUTPUT), 0);
}

TEST(RequestQueue, CountsReportEveryChangeAcrossThreads) {
  std::vector<size_t> seen;
  RequestQueue queue([&](size_t count) { seen.push_back(count); });
  EXPECT_EQ(queue.Head(), nullptr);
  queue.RemoveHead();  // harmless on an empty queue
  for (int i = 0; i < 3; ++i) {
    auto request = std::make_unique<CRequest>();
    request->text = std::to_string(i);
    queue.Append(std::move(request));
  }
  EXPECT_EQ(queue.Head()->text, "0");
  queue.RemoveHead();
  EXPECT_EQ(queue.Head()->text, "1");
  queue.DiscardAll();
  EXPECT_EQ(queue.Count(), 0u);
  EXPECT_EQ(seen, (std::vector<size_t>{1, 2, 3, 2, 0}));

  // Appenders and a remover at once end with exactly what was appended removed.
  RequestQueue shared;
  constexpr int kPerThread = 2000;
  std::vector<std::thread> appenders;
  for (int t = 0; t < 4; ++t) {
    appenders.emplace_back([&] {
      for (int i = 0; i < kPerThread; ++i) shared.Append(std::make_unique<CRequest>());
    });
  }
  int removed = 0;
  while (removed < 4 * kPerThread) {
    if (shared.Head() != nullptr) {
      shared.RemoveHead();
      ++removed;
    }
  }
  for (auto& thread : appenders) thread.join();
  EXPECT_EQ(shared.Count(), 0u);
}

class StreamFileTest : public ::testing::Test {
 protected:
  // One file per test: ctest runs this program's tests side by side.
  std::string path_ = ::testing::TempDir() + "vrlplay_stream_file_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
  void Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  void TearDown() override { std::remove(path_.c_str()); }
};

TEST_F(StreamFileTest, CrLfBecomesLfAndTheLastLineGetsItsEnd) {
  Write("a 10\r\nb 20\r\nc 30");
  EXPECT_EQ(ReadStreamFile(path_), "a 10\nb 20\nc 30\n");
  Write("x\r\r\ny\n");
  EXPECT_EQ(ReadStreamFile(path_), "x\r\ny\n");
  Write("");
  EXPECT_EQ(ReadStreamFile(path_), "");
  // A Ctrl-Z ends the text, as it does for any file read in text mode.
  Write("a 10\r\nb 20\r\n\x1A");
  EXPECT_EQ(ReadStreamFile(path_), "a 10\nb 20\n");
  Write("a 10\r\nb 2\x1A" "0\r\nc 30\r\n");
  EXPECT_EQ(ReadStreamFile(path_), "a 10\nb 2\n");
}

TEST_F(StreamFileTest, MissingFileRaisesMinus4WithItsName) {
  try {
    ReadStreamFile(path_ + ".missing");
    FAIL() << "no error";
  } catch (const CStackError& error) {
    EXPECT_EQ(error.Code(), -4);
    EXPECT_EQ(error.Message().value(), "Can't open " + path_ + ".missing file");
  }
}

}  // namespace
}  // namespace mowik
