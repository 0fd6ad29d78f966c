// The generated voice pl1: complete, speaks every pair and every test sentence, joins cleanly.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "mowik/frontend/speak_text.h"
#include "mowik/output/main_module.h"
#include "mowik/output/random_between.h"
#include "varelo/engine.h"
#include "varelo/module_folder.h"
#include "varelo/tests/test_voice.h"
#include "varelo/voice_database.h"

namespace mowik {
namespace {

// Every symbol Mowik's front end can write, q and the pause included.
const char* const kInventory[] = {"a", "e",  "o",  "u",  "i",   "I",   "e~", "o~", "p", "b",
                                  "t", "d",  "k",  "g",  "f",   "v",   "s",  "z",  "S", "Z",
                                  "s'", "z'", "x",  "ts", "dz",  "tS",  "dZ", "ts'", "dz'", "m",
                                  "n", "n'", "N",  "l",  "r",   "w",   "j",  "q",  "_"};

class Recorder : public PhonemeSink {
 public:
  void PlaySampa(const std::string& text) override { this->text = text; }
  std::string text;
};

class Pl1 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(engine_.Init("pl1", nullptr, nullptr, EngineFolder()), kEngineOk) << engine_.LastErrorText();
  }
  Engine engine_;
};

TEST_F(Pl1, HasEveryDiphoneOfTheInventoryAndDescribesItself) {
  VoiceDatabase v;
  std::string error;
  ASSERT_TRUE(LoadVoiceFile(EngineFolder() + "/pl1", v, error)) << error;
  EXPECT_EQ(v.sampleRate, 16000u);
  EXPECT_EQ(v.symbols.size(), std::size(kInventory));
  for (const char* a : kInventory)
    for (const char* b : kInventory)
      if (std::string(a) != "_" || std::string(b) != "_") {
        EXPECT_NE(v.Find(v.SymbolIndex(a), v.SymbolIndex(b)), nullptr) << a << " " << b;
      }
  EXPECT_EQ(v.diphones.size(), std::size(kInventory) * std::size(kInventory) - 1);
  char text[200];
  engine_.DatabaseInfo(text, sizeof text, 0);
  EXPECT_STREQ(text, "name: pl1");
  engine_.DatabaseInfo(text, sizeof text, 4);
  EXPECT_STREQ(text, "diphones: 1520");
  EXPECT_EQ(engine_.Rate(), 16000);
}

TEST_F(Pl1, EverySymbolPairSpeaksForItsDuration) {
  for (const char* a : kInventory) {
    for (const char* b : kInventory) {
      std::ostringstream text;
      text << a << " 90 0 130\n" << b << " 110 0 110\n";
      int error = 0;
      const std::vector<int16_t> x = testing::Speak(engine_, text.str(), &error);
      ASSERT_EQ(error, 0) << a << " " << b << ": " << engine_.LastErrorText();
      ASSERT_EQ(x.size(), 200u * 16) << a << " " << b;
      double energy = 0;
      for (int16_t s : x) energy += double(s) * s;
      if (std::string(a) != "_" || std::string(b) != "_") {
        EXPECT_GT(std::sqrt(energy / x.size()), 20.0) << a << " " << b << " is silent";
      }
    }
  }
}

// The phoneme text of every test sentence, exactly as Mowik writes it.
// The rising pieces draw their pitch at random; three fixed draws cover its range.
std::vector<std::string> SentenceTexts() {
  InitialiseGlobals();
  std::vector<std::string> texts;
  for (const double draw : {0.0, 0.5, 0.999}) {
    FixRandomDraw(draw);
    for (std::wstring sentence : TestSentences) {
      Recorder r;
      SpeakText(sentence, r);
      texts.push_back(r.text);
    }
  }
  ReleaseRandomDraw();
  return texts;
}

double TotalMs(const std::string& text) {
  std::istringstream in(text);
  double total = 0;
  for (std::string symbol, line; std::getline(in, line);) {
    std::istringstream fields(line);
    double ms = 0;
    if (fields >> symbol >> ms) total += ms;
  }
  return total;
}

TEST_F(Pl1, SpeaksEveryTestSentenceWithoutErrorForExactlyItsDuration) {
  for (const std::string& text : SentenceTexts()) {
    ASSERT_FALSE(text.empty());
    int error = 0;
    const std::vector<int16_t> x = testing::Speak(engine_, text, &error);
    EXPECT_EQ(error, 0) << engine_.LastErrorText();
    EXPECT_EQ(x.size(), static_cast<size_t>(std::llround(TotalMs(text) * 16))) << text;
  }
}

int MaxJump(const std::vector<int16_t>& x, int64_t from, int64_t to) {
  int jump = 0;
  from = std::max<int64_t>(from, 1);
  to = std::min<int64_t>(to, static_cast<int64_t>(x.size()));
  for (int64_t i = from; i < to; ++i) jump = std::max(jump, std::abs(x[i] - x[i - 1]));
  return jump;
}

// A join is where the grains of one diphone give way to those of the next, in the middle of a
// phone. Plain concatenation would leave a step right at that sample; the jumps there must stay
// within the largest jump inside the two diphones around it. Over the whole hand-over (a
// millisecond either side) the join may meet the loudest pulse of the phone, whose middle is
// its loudest part, so there a small allowance is made.
TEST_F(Pl1, NoJumpAtAJoinExceedsThoseInsideTheDiphonesAroundIt) {
  constexpr int64_t kAt = 2, kNear = 16;
  size_t joins = 0;
  for (const std::string& text : SentenceTexts()) {
    engine_.SynthesizerForTesting()->RecordJoins(true);
    const std::vector<int16_t> x = testing::Speak(engine_, text);
    const std::vector<int64_t> at = engine_.SynthesizerForTesting()->Joins();
    for (size_t k = 0; k < at.size(); ++k) {
      const int64_t before = k > 0 ? at[k - 1] : 0;
      const int64_t after = k + 1 < at.size() ? at[k + 1] : static_cast<int64_t>(x.size());
      const int inside = std::max(MaxJump(x, before, at[k] - kNear), MaxJump(x, at[k] + kNear, after));
      EXPECT_LE(MaxJump(x, at[k] - kAt, at[k] + kAt + 1), inside) << "join at sample " << at[k];
      EXPECT_LE(MaxJump(x, at[k] - kNear, at[k] + kNear), inside * 1.1) << "join at sample " << at[k];
      ++joins;
    }
  }
  EXPECT_GT(joins, 1000u);
}

TEST_F(Pl1, AnotherRateKeepsDurationsAndStillSpeaks) {
  engine_.SetRate(22050);
  const std::string text = SentenceTexts()[3];
  int error = 0;
  const std::vector<int16_t> x = testing::Speak(engine_, text, &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(x.size(), static_cast<size_t>(std::llround(TotalMs(text) * 22.05)));
}

}  // namespace
}  // namespace mowik
