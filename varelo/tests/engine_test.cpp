// The engine's protocol and synthesis mechanics, on the small made-up voice.

#include "varelo/engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "varelo/tests/pitch_tracker.h"
#include "testing/test_voice.h"

namespace mowik {
namespace {

using testing::Speak;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::WriteTestVoice("varelo_engine_test_voice");
    ASSERT_EQ(engine_.Init(path_.c_str(), nullptr, nullptr, ""), kEngineOk) << engine_.LastErrorText();
  }
  void TearDown() override {
    engine_.Close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  std::string path_;
  Engine engine_;
};

TEST_F(EngineTest, DurationsComeOutExactly) {
  EXPECT_EQ(Speak(engine_, "a 70 0 120\ns 33.3\nt 100\no 10 0 200\n_ 200\n").size(),
            static_cast<size_t>(std::llround(413.3 * 16)));
  // The duration ratio applies from the next phoneme on, and a rate keeps milliseconds.
  EXPECT_EQ(Speak(engine_, "a 100\n;; T = 1.5\na 100\n").size(), 250u * 16);
  engine_.SetRate(22050);
  EXPECT_EQ(engine_.Rate(), 22050);
  EXPECT_EQ(Speak(engine_, ";; T = 1\nm 500\n").size(), 11025u);
}

// The two-take test voice: take 0 has 100 ms phones, take 1 50 ms ones at half the loudness.
TEST(EngineTakes, EachPhoneIsSpokenFromTheTakeNearestItsLengthForExactlyItsDuration) {
  const std::string path = testing::WriteTestVoice("varelo_engine_test_takes", 2);
  Engine engine;
  ASSERT_EQ(engine.Init(path.c_str(), nullptr, nullptr, ""), kEngineOk) << engine.LastErrorText();
  auto level = [&](int ms) {
    const std::string line = std::to_string(ms) + " 0 125\n";
    const std::vector<int16_t> x = Speak(engine, "a " + line + "o " + line + "a " + line + "o " + line);
    EXPECT_EQ(x.size(), size_t(4 * ms * 16)) << ms;
    double e = 0;
    for (int16_t s : x) e += double(s) * s;
    return std::sqrt(e / double(std::max<size_t>(1, x.size())));
  };
  const double slow = level(110), fast = level(40);
  EXPECT_GT(slow, 1.6 * fast) << "slow phones should come from the loud slow take";
  EXPECT_NEAR(level(90) / slow, 1.0, 0.15) << "90 ms is nearer 100 than 50";
  EXPECT_NEAR(level(45) / fast, 1.0, 0.15);
  // Phones of ten minutes each (half a minute at twenty times the duration) still pick a take
  // (no overflow in the comparison) and last exactly.
  const std::vector<int16_t> x = Speak(engine, ";; T = 20\na 30000 0 125\no 30000 0 125\n");
  EXPECT_EQ(x.size(), size_t(2) * 20 * 30000 * 16);
  engine.Close();
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// A voice may cut a diphone's first half at the very first sample it stores (the check
// allows it); finding the burst there once read far outside the samples.
TEST(EngineVoiceEdges, ADiphoneCutAtItsFirstStoredSampleIsSpokenInsideItsSamples) {
  VoiceDatabase voice = testing::MakeTestVoice();
  for (Diphone& d : voice.diphones) d.start = 0;
  const std::string path = testing::WriteVoiceBytes("varelo_engine_test_edges", SerializeVoice(voice));
  Engine engine;
  ASSERT_EQ(engine.Init(path.c_str(), nullptr, nullptr, ""), kEngineOk) << engine.LastErrorText();
  const std::vector<int16_t> x = Speak(engine, "_ 20 0 125\nt 60 0 125\na 80 0 125\n_ 20 0 125\n");
  EXPECT_EQ(x.size(), size_t(180 * 16));
  engine.Close();
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

TEST_F(EngineTest, PitchFollowsTargetsTimesTheRatio) {
  const std::vector<int16_t> x = Speak(engine_, ";; F = 1.5\na 400 0 100 100 200\no 400\n");
  const auto frames = testing::TrackPitch(x, 16000, 80, 400, 640, 160);
  for (const auto& f : frames) {
    const double ms = f.centre / 16;
    if (ms < 30 || ms > 770) continue;
    // Rises from 150 to 300 Hz over the first phone, held after the last target.
    const double expected = ms < 400 ? 150 + 150 * ms / 400 : 300;
    EXPECT_NEAR(f.hz, expected, expected * 0.03) << ms;
  }
}

TEST_F(EngineTest, FirstSamplesAreReadyAfterAFewLines) {
  int16_t block[kBlockSamples];
  EXPECT_EQ(engine_.Write("\r"), 1);  // the lone CR before the first line
  EXPECT_EQ(engine_.Write("a 70 0 150\r\n"), 1);
  EXPECT_EQ(engine_.Read(block, kBlockSamples), 0);
  EXPECT_EQ(engine_.Write("o 70 0 150\r\n"), 1);
  EXPECT_EQ(engine_.Write("m 70 0 150\r\n"), 1);
  EXPECT_GT(engine_.Read(block, kBlockSamples), 0);
}

TEST_F(EngineTest, RefusesInputWhileABlockWaitsAndHandsOutAtMostWhatWasAsked) {
  int taken = 0;
  while (engine_.Write("a 70 0 150\n") != 0 && taken < 1000) ++taken;
  EXPECT_LT(taken, 1000);
  EXPECT_EQ(engine_.Flush(), 0);
  int16_t block[kBlockSamples + 10];
  EXPECT_EQ(engine_.Read(block, 100), 100);
  EXPECT_EQ(engine_.Read(block, 0), kBlockSamples);  // < 1 means a whole block
  while (engine_.Read(block, kBlockSamples) > 0) {
  }
  EXPECT_EQ(engine_.Write("a 70 0 150\n"), 1);
}

TEST_F(EngineTest, BadLineIsReportedAfterTheSamplesBeforeItAndNamesTheLine) {
  int error = 0;
  const std::vector<int16_t> x = Speak(engine_, "a 100 0 120\no 100\nxx 70 0 100\na 100\n", &error);
  EXPECT_EQ(error, kEngineBadLine);
  EXPECT_EQ(x.size(), 200u * 16);  // a and o came out; nothing after the bad line
  EXPECT_EQ(engine_.LastError(), kEngineBadLine);
  EXPECT_EQ(engine_.LastErrorText(), "line 3 \"xx 70 0 100\": unknown phoneme \"xx\"");
  // It stays until reset; then a new utterance goes through and numbers its lines anew.
  int16_t block[16];
  EXPECT_LT(engine_.Read(block, 16), 0);
  engine_.Reset();
  EXPECT_EQ(Speak(engine_, "a 50\n", &error).size(), 800u);
  EXPECT_EQ(error, 0);
  Speak(engine_, "a 50\nb -3\n", &error);
  EXPECT_NE(engine_.LastErrorText().find("line 2 "), std::string::npos) << engine_.LastErrorText();
  EXPECT_LE(engine_.LastErrorText().size(), 199u);
}

TEST_F(EngineTest, NoErrorModeSpeaksUnknownPhonemesAsSilenceAndClampsValues) {
  engine_.SetNoError(1);
  EXPECT_EQ(engine_.NoError(), 1);
  int error = 0;
  const std::vector<int16_t> x = Speak(engine_, "a 100 0 120\nxx 100 0 -5\no 100 150 9000\n", &error);
  EXPECT_EQ(error, 0);
  ASSERT_EQ(x.size(), 300u * 16);
  // The middle of the unknown phoneme is silent.
  for (size_t i = 1600 + 500; i < 3200 - 500; ++i) ASSERT_EQ(x[i], 0) << i;
}

TEST_F(EngineTest, ResetDropsPendingInputAndOutput) {
  for (int i = 0; i < 5; ++i) engine_.Write("a 70 0 150\n");
  engine_.Reset();
  EXPECT_EQ(Speak(engine_, "o 100\n").size(), 1600u);
}

TEST_F(EngineTest, VolumeScalesWithSaturation) {
  const std::vector<int16_t> plain = Speak(engine_, "a 200 0 125\n");
  engine_.SetVolume(50.0f);
  EXPECT_EQ(engine_.Volume(), 50.0f);
  const std::vector<int16_t> loud = Speak(engine_, "a 200 0 125\n");
  ASSERT_EQ(plain.size(), loud.size());
  bool saturated = false;
  for (size_t i = 0; i < plain.size(); ++i) {
    const double want = std::clamp(plain[i] * 50.0, -32768.0, 32767.0);
    ASSERT_NEAR(loud[i], want, 50.0) << i;  // rounding happens before and after the scaling
    saturated |= loud[i] == 32767 || loud[i] == -32768;
  }
  EXPECT_TRUE(saturated);
  engine_.SetVolume(-1.0f);
  engine_.SetVolume(NAN);
  EXPECT_EQ(engine_.Volume(), 50.0f);
}

TEST_F(EngineTest, RenameAndCloneGiveSymbolsOtherNames) {
  ASSERT_EQ(engine_.Init(path_.c_str(), "a A, s S", "o O\nm mm", ""), kEngineOk) << engine_.LastErrorText();
  int error = 0;
  EXPECT_EQ(Speak(engine_, "A 50\nS 50\no 50\nO 50\nmm 50\n", &error).size(), 250u * 16);
  EXPECT_EQ(error, 0);
  engine_.Reset();
  Speak(engine_, "a 50\n", &error);
  EXPECT_EQ(error, kEngineBadLine);  // renamed away
  EXPECT_EQ(engine_.Init(path_.c_str(), "a", nullptr, ""), kEngineBadSymbolList);
  EXPECT_EQ(engine_.Init(path_.c_str(), "zz a", nullptr, ""), kEngineBadSymbolList);
  EXPECT_EQ(engine_.Init(path_.c_str(), nullptr, "a o", ""), kEngineBadSymbolList);
  EXPECT_NE(engine_.LastErrorText().find("\"o\""), std::string::npos);
}

TEST_F(EngineTest, WithoutADatabaseEverythingFailsCleanly) {
  engine_.Close();
  int16_t block[16];
  EXPECT_EQ(engine_.Write("a 70\n"), 1);
  EXPECT_EQ(engine_.Read(block, 16), kEngineNoVoice);
  EXPECT_EQ(engine_.Flush(), 1);
  EXPECT_EQ(engine_.DatabaseInfo(nullptr, 0, 0), 0);
  EXPECT_EQ(engine_.Rate(), 16000);
  EXPECT_EQ(engine_.Init("/no/such/voice", nullptr, nullptr, ""), kEngineVoiceRefused);
  EXPECT_NE(engine_.LastErrorText().find("does not exist"), std::string::npos);
  EXPECT_EQ(engine_.Init(nullptr, nullptr, nullptr, ""), kEngineVoiceRefused);
}

TEST_F(EngineTest, LooksBesideTheEngineForADatabaseNotFoundAsGiven) {
  const std::filesystem::path file(path_);
  const std::string folder = file.parent_path().string();
  EXPECT_EQ(engine_.Init(file.filename().string().c_str(), nullptr, nullptr, folder), kEngineOk);
  EXPECT_EQ(engine_.Init(("/elsewhere/" + file.filename().string()).c_str(), nullptr, nullptr, folder),
            kEngineOk);
  EXPECT_EQ(engine_.Init("missing", nullptr, nullptr, folder), kEngineVoiceRefused);
}

TEST_F(EngineTest, RefusesADamagedDatabaseAndKeepsWorkingAfterwards) {
  const std::string damaged = testing::WriteTestVoice("varelo_engine_test_damaged");
  {
    std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(1000);
    f.put('\x55');
  }
  EXPECT_EQ(engine_.Init(damaged.c_str(), nullptr, nullptr, ""), kEngineVoiceRefused);
  std::error_code ignored;
  std::filesystem::remove(damaged, ignored);
  EXPECT_NE(engine_.LastErrorText().find("checksum"), std::string::npos) << engine_.LastErrorText();
  EXPECT_EQ(engine_.Init(path_.c_str(), nullptr, nullptr, ""), kEngineOk);
  EXPECT_EQ(Speak(engine_, "a 10\n").size(), 160u);
}

TEST_F(EngineTest, DescribesTheVoiceByIndexThenNothing) {
  const int size = engine_.DatabaseInfo(nullptr, 0, 0);
  ASSERT_GT(size, 0);
  std::string text(static_cast<size_t>(size), '#');
  EXPECT_EQ(engine_.DatabaseInfo(text.data(), size, 0), size);
  EXPECT_EQ(text, std::string("name: test") + '\0');
  char small[5];
  engine_.DatabaseInfo(small, 5, 3);
  EXPECT_STREQ(small, "symb");
  char buffer[200];
  engine_.DatabaseInfo(buffer, 200, 2);
  EXPECT_STREQ(buffer, "rate: 16000 Hz");
  engine_.DatabaseInfo(buffer, 200, 4);
  EXPECT_STREQ(buffer, "diphones: 35");
  EXPECT_GT(engine_.DatabaseInfo(nullptr, 0, 6), 0);
  EXPECT_EQ(engine_.DatabaseInfo(nullptr, 0, 7), 0);
  EXPECT_EQ(engine_.DatabaseInfo(nullptr, 0, -1), 0);
}

TEST_F(EngineTest, ParserHookAndPhoneObjects) {
  engine_.SetParser([](const char* line, char* out, int size) {
    if (line[0] == '#') return -1;                         // dropped
    if (line[0] == 'A') return std::snprintf(out, size, "a 100") > 0 ? 1 : 0;  // replaced
    return 0;
  });
  EXPECT_EQ(Speak(engine_, "# whatever\nA\no 50\n").size(), 150u * 16);
  engine_.SetParser(nullptr);
  PhoneObject phone{"o", 62.5, {{0, 110}, {100, 130}}};
  EXPECT_EQ(PhoneLine(phone), "o 62.5 0 110 100 130");
  EXPECT_EQ(engine_.WritePhone(phone), 1);
  EXPECT_EQ(Speak(engine_, "").size(), 1000u);
}

TEST_F(EngineTest, SettersFromOtherThreadsWhileSynthesizing) {
  std::atomic<bool> done{false};
  std::thread other([&] {
    char text[200];
    while (!done) {
      engine_.SetVolume(1.0f);
      engine_.SetNoError(0);
      (void)engine_.Rate();
      engine_.DatabaseInfo(text, 200, 3);
      (void)engine_.LastErrorText();
    }
  });
  std::string text;
  for (int i = 0; i < 300; ++i) text += "a 70 0 150\ns 70\nt 70\no 70 0 120\n";
  EXPECT_EQ(Speak(engine_, text).size(), 300u * 280 * 16);
  done = true;
  other.join();
}

}  // namespace
}  // namespace mowik
