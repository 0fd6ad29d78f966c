// The corpus of natural reading, sentence by sentence: each reads as one of its readings,
// and each sentence marked as missed is still missed (a fix should take its mark away).
#include <gtest/gtest.h>

#include <string>

#include "mowik/verbalise/corpus/natural_corpus.h"
#include "mowik/verbalise/normalise_text.h"

namespace mowik {
namespace {

std::wstring Natural(std::wstring text) {
  NormaliseOptions options;
  options.natural = true;
  NormaliseText(text, options);
  return text;
}

TEST(NaturalCorpusTest, HoldsAtLeastThreeHundredSentencesEachWithAReading) {
  const std::vector<CorpusEntry>& corpus = NaturalCorpus();
  EXPECT_GE(corpus.size(), 300u);
  for (const CorpusEntry& entry : corpus)
    EXPECT_FALSE(entry.input.empty() || entry.readings.empty()) << entry.group << L":" << entry.line;
}

TEST(NaturalCorpusTest, EverySentenceReadsAsTheCorpusSays) {
  for (const CorpusEntry& entry : NaturalCorpus()) {
    const std::wstring reading = Natural(entry.input);
    const std::string where = std::string(entry.group.begin(), entry.group.end()) + ":" + std::to_string(entry.line);
    if (entry.knownMiss) {
      EXPECT_FALSE(IsRightReading(entry, reading)) << where << " is read right now: drop its \"!\"";
    } else {
      EXPECT_TRUE(IsRightReading(entry, reading)) << where << ": " << entry.input << L" gave " << reading;
    }
  }
}

}  // namespace
}  // namespace mowik
