// The generated voice pl1 speaks every phone for exactly the samples asked, at Mowik's pace
// and at the two and three times faster paces of screen-reader users, where the engine
// shortens stops and affricates by the utterance's pace.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "varelo/engine.h"
#include "varelo/module_folder.h"
#include "testing/test_voice.h"

namespace mowik {
namespace {

// "co, cena, ocet, place", a stop and affricate of every place, and a nasal or two.
const char* const kPhones[] = {"ts", "o", "ts", "e", "n", "a", "o", "ts", "e", "t", "p", "l", "a",
                               "ts", "e", "k", "o", "tS", "I", "ts'", "i", "n'", "e", "d", "z'",
                               "v", "i", "g", "m", "a", "dz", "b", "a", "dZ", "e", "q", "u"};

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", ms);
  return text;
}

class Pl1Durations : public ::testing::TestWithParam<double> {};

TEST_P(Pl1Durations, EveryPhoneAndTheWholeLastExactlyAsAsked) {
  const double speed = GetParam();
  Engine engine;
  ASSERT_EQ(engine.Init("pl1", nullptr, nullptr, EngineFolder()), kEngineOk) << engine.LastErrorText();
  // Uneven lengths in milliseconds (fractions too), as Mowik's prosody gives them.
  std::vector<double> ms;
  for (size_t i = 0; i < std::size(kPhones); ++i) {
    // As written in the line, so that the sums below are the engine's.
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", (55 + 37 * (i % 4) + 0.3 * (i % 7)) / speed);
    ms.push_back(std::stod(text));
  }
  std::ostringstream sentence;
  double total = 20;
  sentence << "_ 20\n";
  for (size_t i = 0; i < ms.size(); ++i) sentence << kPhones[i] << ' ' << Ms(ms[i]) << " 0 120\n", total += ms[i];
  EXPECT_EQ(testing::Speak(engine, sentence.str()).size(), static_cast<size_t>(std::llround(total * 16)));
  // Each phone alone between pauses, and every prefix of the sentence: a phone asked for N
  // samples gets N, wherever the pace estimate stands.
  double prefix = 20;
  std::ostringstream head;
  head << "_ 20\n";
  for (size_t i = 0; i < ms.size(); ++i) {
    std::ostringstream alone;
    alone << "_ 15\n" << kPhones[i] << ' ' << Ms(ms[i]) << " 0 120\n_ 15\n";
    EXPECT_EQ(testing::Speak(engine, alone.str()).size(), static_cast<size_t>(std::llround((30 + ms[i]) * 16)))
        << kPhones[i] << " at " << speed << "x";
    head << kPhones[i] << ' ' << Ms(ms[i]) << " 0 120\n";
    prefix += ms[i];
    EXPECT_EQ(testing::Speak(engine, head.str()).size(), static_cast<size_t>(std::llround(prefix * 16)))
        << "up to " << i << " at " << speed << "x";
  }
}

INSTANTIATE_TEST_SUITE_P(Speeds, Pl1Durations, ::testing::Values(1.0, 1.5, 2.0, 3.0));

}  // namespace
}  // namespace mowik
