// One sentence through the front end: the same phoneme text as the pipeline, and every word
// of the caller's text placed at the pieces it is spoken in.
#include "sapi/sentence_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "mowik/frontend/speak_text.h"
#include "mowik/program/random_between.h"
#include "mowik/program/table_model.h"

namespace mowik {
namespace {

class Capture : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { text = phonemeText; }
  std::string text;
};

class SentencePlanTest : public ::testing::Test {
 protected:
  void SetUp() override { FixRandomDraw(0.37); }
  void TearDown() override { ReleaseRandomDraw(); }

  std::string Pipeline(const std::wstring& sentence) {
    Capture capture;
    std::wstring text = sentence;
    SpeakText(text, options, capture);
    return capture.text;
  }
  std::vector<std::wstring> PlacedWords(std::wstring_view sentence, const SentencePlan& plan) {
    std::vector<std::wstring> out;
    for (const WordPlace& word : plan.words) out.emplace_back(sentence.substr(word.source.start, word.source.length));
    return out;
  }

  NormaliseOptions options;
};

TEST_F(SentencePlanTest, PhonemesAreThePipelines) {
  for (const std::wstring sentence :
       {L"Ala ma kota, kot ma Al\u0119!", L"Czy podoba ci si\u0119 m\u00F3j g\u0142os?",
        L"Spotkanie 12-05-2024 o 12:30, koszt 15,50 EUR. PKP!", L"  a . b  ", L"bez kropki"}) {
    SCOPED_TRACE(std::string(sentence.begin(), sentence.end()));
    const SentencePlan plan = PlanSentence(sentence, options);
    EXPECT_EQ(plan.phonemes, Pipeline(sentence));
    EXPECT_DOUBLE_EQ(plan.totalMs, PhonemeTextMs(plan.phonemes));
    EXPECT_GT(plan.totalMs, 0);
  }
}

TEST_F(SentencePlanTest, PiecesStartWhereTheDurationsBeforeThemEnd) {
  const SentencePlan plan = PlanSentence(L"ala ma kota.", options);
  // «ala» 3 x 70 ms, «ma» 2 x 70 ms; «kota.» ends in 150 ms and a 200 ms pause.
  EXPECT_EQ(plan.pieceStartMs, (std::vector<double>{0, 210, 350}));
  EXPECT_DOUBLE_EQ(plan.totalMs, 350 + 3 * 70 + 150 + 200);
}

TEST_F(SentencePlanTest, NumbersDatesAndAmountsKeepTheirWords) {
  const std::wstring sentence = L"Spotkanie 12-05-2024 o 12:30, koszt 15 EUR.";
  const SentencePlan plan = PlanSentence(sentence, options);
  EXPECT_EQ(PlacedWords(sentence, plan),
            (std::vector<std::wstring>{L"Spotkanie", L"12-05-2024", L"o", L"12:30,", L"koszt", L"15", L"EUR."}));
  // The date is several spoken words: the next word starts that many pieces later.
  EXPECT_EQ(plan.words[1].firstPiece, 1u);
  EXPECT_GE(plan.words[2].firstPiece, 4u);
  for (size_t i = 1; i < plan.words.size(); ++i) EXPECT_GT(plan.words[i].firstPiece, plan.words[i - 1].firstPiece);
  EXPECT_LT(plan.words.back().firstPiece, plan.pieceStartMs.size());
}

TEST_F(SentencePlanTest, DictionaryRowsApplyAndWordsStillLand) {
  TableModel dictionary;
  dictionary.AddColumn(L"z");
  dictionary.AddColumn(L"na");
  const int32_t row = dictionary.AddRow();
  dictionary.SetCellText(row, 1, L"kot");
  dictionary.SetCellText(row, 2, L"wielki pies");
  options.dictionary = &dictionary;
  const std::wstring sentence = L"Ala ma kot i psa.";
  const SentencePlan plan = PlanSentence(sentence, options);
  EXPECT_EQ(plan.phonemes, Pipeline(sentence));
  EXPECT_EQ(PlacedWords(sentence, plan), (std::vector<std::wstring>{L"Ala", L"ma", L"kot", L"i", L"psa."}));
  EXPECT_EQ(plan.words[3].firstPiece, plan.words[2].firstPiece + 2);  // «wielki pies»
}

TEST_F(SentencePlanTest, SampleOffsetsSpreadThePiecesOverTheSamples) {
  const SentencePlan plan = PlanSentence(L"ala ma kota.", options);
  const double total = plan.totalMs;
  EXPECT_EQ(WordSampleOffsets(plan, 16000), (std::vector<size_t>{0, static_cast<size_t>(std::llround(210 / total * 16000)),
                                                                  static_cast<size_t>(std::llround(350 / total * 16000))}));
  EXPECT_EQ(WordSampleOffsets(plan, 0), (std::vector<size_t>{0, 0, 0}));
}

TEST_F(SentencePlanTest, NothingToSayPlansNothing) {
  const SentencePlan plan = PlanSentence(L"", options);
  EXPECT_TRUE(plan.words.empty());
  EXPECT_EQ(plan.phonemes, Pipeline(L""));
  EXPECT_TRUE(WordSampleOffsets(plan, 100).empty());
}

TEST(PhonemeTextMsTest, SumsTheDurationField) {
  EXPECT_DOUBLE_EQ(PhonemeTextMs("\r\na 70 0 240\r\n_ 200 0 160"), 270);
  EXPECT_DOUBLE_EQ(PhonemeTextMs("\r\nbad\r\nx y\r\n;; F = 1.0\r\n"), 0);
}

TEST_F(SentencePlanTest, NaturalReadingKeepsTheCallersWords) {
  options.natural = true;
  const std::wstring sentence = L"Od 5.03.2021 r. ul. Polna 7 ma 2 km i 7,20 zł.";
  const SentencePlan plan = PlanSentence(sentence, options);
  EXPECT_EQ(plan.phonemes, Pipeline(sentence));
  EXPECT_EQ(PlacedWords(sentence, plan), (std::vector<std::wstring>{L"Od", L"5.03.2021", L"ul.", L"Polna", L"7", L"ma",
                                                                    L"2", L"km", L"i", L"7,20", L"zł."}));
  // The date is read as seven words, «roku» included (so «r.» adds none and is not placed):
  // the street starts after them.
  EXPECT_EQ(plan.words[2].firstPiece, plan.words[1].firstPiece + 7);
  for (size_t i = 1; i < plan.words.size(); ++i) EXPECT_GT(plan.words[i].firstPiece, plan.words[i - 1].firstPiece);
}

// The places every word gets when each prefix of the sentence is normalised whole: what the
// windowed count must give.
std::vector<std::pair<TextSpan, size_t>> PlacesByWholePrefixes(std::wstring_view sentence, const NormaliseOptions& options) {
  auto pieces = [&](std::wstring_view text) {
    std::wstring normalised(text);
    NormaliseText(normalised, options);
    size_t count = 0;
    CutPieces(normalised, [&](const std::wstring&) { ++count; });
    return count;
  };
  const size_t total = pieces(sentence);
  const std::vector<TextSpan> words = SplitWords(sentence);
  std::vector<std::pair<TextSpan, size_t>> places;
  size_t before = 0;
  for (size_t k = 0; k < words.size(); ++k) {
    const size_t upTo = std::clamp(k + 1 == words.size() ? total : pieces(sentence.substr(0, words[k].end())), before, total);
    if (upTo > before) places.emplace_back(words[k], before);
    before = upTo;
  }
  return places;
}

// A long sentence of pieces the normaliser reads across words (dates, amounts, ranges, phone
// numbers, prepositions before numbers, abbreviations, symbols it drops), in an order that
// repeats only after many words.
std::wstring LongSentence(size_t words) {
  static const wchar_t* const kParts[] = {
      L"Spotkanie 12-05-2024 o 12:30,", L"koszt 15,50 EUR", L"PKP i PKS", L"ul. Polna 7", L"tel. 123 456 789",
      L"od 5 do 10 km", L"w 1995 r. Polska", L"3.5 kg", L"\u2014", L"&", L"ala ma kota", L"500 z\u0142",
      L"1/2", L"XIV wiek", L"www.mowik.pl", L"2 + 2 = 4", L"20%", L"o 7 kotach", L"5.03.2021 r.", L"nr 12",
      L"kot ma Al\u0119;", L"1 234 567", L"10-15", L"godz. 7:05", L"ok. 3 tys.", L"NATO", L"2 zl 50 gr"};
  std::wstring sentence;
  uint32_t state = 12345;
  while (SplitWords(sentence).size() < words) {
    state = state * 1103515245u + 12345u;
    sentence += kParts[(state >> 16) % std::size(kParts)];
    sentence += L' ';
  }
  return sentence + L"koniec.";
}

TEST_F(SentencePlanTest, LongSentencesPlaceEveryWordAsWholePrefixesDo) {
  TableModel dictionary;
  dictionary.AddColumn(L"z");
  dictionary.AddColumn(L"na");
  // A row that matches over and over across words («o o o o o o» reads «b b») makes a reading
  // that never settles: where it falls depends on where the text starts.
  for (const auto& [from, to] :
       {std::pair{L"ma kota", L"ma psa"}, std::pair{L"kot", L"wielki pies"}, std::pair{L"o o o", L"b"}}) {
    const int32_t row = dictionary.AddRow();
    dictionary.SetCellText(row, 1, from);
    dictionary.SetCellText(row, 2, to);
  }
  auto repeated = [](const wchar_t* words, int times) {
    std::wstring text;
    for (int i = 0; i < times; ++i) text += words;
    return text + L"koniec.";
  };
  const std::wstring sentences[] = {LongSentence(260), repeated(L"o ", 200), repeated(L"123 ", 200),
                                    repeated(L"1 - ", 100), repeated(L"Ala ma kota 5 z\u0142, ", 40)};
  for (const bool natural : {false, true}) {
    for (const TableModel* rows : {static_cast<const TableModel*>(nullptr), static_cast<const TableModel*>(&dictionary)}) {
      for (const std::wstring& sentence : sentences) {
        SCOPED_TRACE(testing::Message() << "natural " << natural << ", dictionary " << (rows != nullptr) << ": "
                                        << testing::PrintToString(sentence.substr(0, 40)));
        options.natural = natural;
        options.dictionary = rows;
        const SentencePlan plan = PlanSentence(sentence, options);
        const auto expected = PlacesByWholePrefixes(sentence, options);
        ASSERT_EQ(plan.words.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
          ASSERT_EQ(plan.words[i].source, expected[i].first) << i;
          ASSERT_EQ(plan.words[i].firstPiece, expected[i].second) << i;
        }
        EXPECT_GT(plan.words.size(), 30u);
      }
    }
  }
}

}  // namespace
}  // namespace mowik
