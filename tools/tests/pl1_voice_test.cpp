// The generated voice pl1: complete, speaks every pair and every test sentence, joins cleanly.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "mowik/frontend/speak_text.h"
#include "mowik/program/main_module.h"
#include "mowik/program/random_between.h"
#include "varelo/engine.h"
#include "varelo/module_folder.h"
#include "testing/test_voice.h"
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
  int64_t slow = 0, fast = 0;
  for (const char* a : kInventory)
    for (const char* b : kInventory)
      if (std::string(a) != "_" || std::string(b) != "_") {
        // A slow take and one at about Mowik's pace.
        const std::span<const Diphone> takes = v.Takes(v.SymbolIndex(a), v.SymbolIndex(b));
        ASSERT_EQ(takes.size(), 2u) << a << " " << b;
        slow += takes[0].end - takes[0].start, fast += takes[1].end - takes[1].start;
      }
  // eSpeak's phones at 200 words a minute are much shorter than at 80 (a pause keeps its
  // 20 ms in both takes).
  EXPECT_LT(fast * 3, slow * 2);
  EXPECT_EQ(v.diphones.size(), 2 * (std::size(kInventory) * std::size(kInventory) - 1));
  char text[200];
  engine_.DatabaseInfo(text, sizeof text, 0);
  EXPECT_STREQ(text, "name: pl1");
  engine_.DatabaseInfo(text, sizeof text, 4);
  EXPECT_STREQ(text, "diphones: 3040");
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
      SpeakText(sentence, NormaliseOptions{}, r);
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

// The phone of text that is spoken at ms, with its neighbours, for messages.
std::string PhonesAt(const std::string& text, double ms) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  double total = 0;
  size_t found = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string symbol;
    double duration = 0;
    if (!(fields >> symbol >> duration)) continue;
    if (total <= ms) found = lines.size();
    total += duration;
    lines.push_back(symbol);
  }
  std::string s;
  for (size_t i = found > 0 ? found - 1 : 0; i < lines.size() && i <= found + 1; ++i)
    s += (i == found ? "[" + lines[i] + "] " : lines[i] + " ");
  return s;
}

int MaxJump(const std::vector<int16_t>& x, int64_t from, int64_t to) {
  int jump = 0;
  from = std::max<int64_t>(from, 1);
  to = std::min<int64_t>(to, static_cast<int64_t>(x.size()));
  for (int64_t i = from; i < to; ++i) jump = std::max(jump, std::abs(x[i] - x[i - 1]));
  return jump;
}

// A join is the hand-over from the grains of one diphone to those of the next, in the middle
// of a phone: the span from the last grain of the one to the first of the other. The jumps there
// are measured against the largest jump inside the two diphones around it. The middle of a
// phone is often its loudest part, so a join may hold the largest pulse by chance, but only
// slightly and rarely; a click (a doubled or missing grain, a step) exceeds it at most joins
// or by far. Noise has its largest jumps anywhere, so it gets a wider bound.
TEST_F(Pl1, NoJumpAtAJoinExceedsThoseInsideTheDiphonesAroundIt) {
  size_t voiced = 0, unvoiced = 0, voicedAbove = 0;
  for (const std::string& text : SentenceTexts()) {
    engine_.SynthesizerForTesting()->RecordJoins(true);
    const std::vector<int16_t> x = testing::Speak(engine_, text);
    const auto& joins = engine_.SynthesizerForTesting()->Joins();
    for (size_t k = 0; k < joins.size(); ++k) {
      const int64_t from = joins[k].from - 8, to = joins[k].to + 8;
      const int64_t before = k > 0 ? joins[k - 1].at : 0;
      const int64_t after = k + 1 < joins.size() ? joins[k + 1].at : static_cast<int64_t>(x.size());
      const int inside = std::max(MaxJump(x, before, from), MaxJump(x, to, after));
      const int at = MaxJump(x, from, to);
      EXPECT_LE(at, inside * (joins[k].voiced ? 1.25 : 1.6))
          << "join at sample " << joins[k].at << " in " << PhonesAt(text, joins[k].at / 16.0);
      if (joins[k].voiced) {
        ++voiced;
        // More than a few per cent: a vowel of the fast take, all rise and fall, is loudest
        // about its middle, where its join is, so a join often holds its largest pulse by a hair.
        voicedAbove += at * 20 > inside * 21;
      } else {
        ++unvoiced;
      }
    }
  }
  EXPECT_LE(voicedAbove, voiced / 10);
  EXPECT_GT(voiced, 600u);
  EXPECT_GT(unvoiced, 100u);
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
