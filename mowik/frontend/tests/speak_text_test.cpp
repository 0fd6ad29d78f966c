#include "mowik/frontend/speak_text.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/program/random_between.h"

namespace mowik {
namespace {

class RecordingSink : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { calls.push_back(phonemeText); }
  std::vector<std::string> calls;
};

std::string Spoken(std::wstring text) {
  RecordingSink sink;
  SpeakText(text, NormaliseOptions{}, sink);
  EXPECT_EQ(sink.calls.size(), 1u) << "the sink gets one call per utterance";
  EXPECT_TRUE(text.empty()) << "the caller's text is consumed";
  return sink.calls.empty() ? "" : sink.calls.front();
}

// The cutting loop alone, on text taken as already normalised.
std::string SpokenPieces(std::wstring text) {
  RecordingSink sink;
  PhonemeList().Clear();
  SpeakPieces(text, sink);
  return sink.calls.empty() ? "" : sink.calls.front();
}

std::vector<std::pair<std::wstring, int32_t>> Pieces(const std::wstring& text) {
  std::vector<std::pair<std::wstring, int32_t>> pieces;
  CutPieces(text, [&](const std::wstring& piece) { pieces.emplace_back(piece, IntonationOf(piece)); });
  return pieces;
}

using PieceList = std::vector<std::pair<std::wstring, int32_t>>;

TEST(SpeakText, AlaMaKota) {
  EXPECT_EQ(Spoken(L"ala ma kota."),
            "\r\na 70 0 240\r\nl 70 0 220\r\na 70 0 200"
            "\r\nm 70 0 240\r\na 70 0 213"
            "\r\nk 70 0 213\r\no 70 0 200\r\nt 70 0 187\r\na 150 0 173\r\n_ 200 0 160");
}

TEST(SpeakText, EmptyAndBlankTextsGiveEmptyPhonemeText) {
  EXPECT_EQ(Spoken(L""), "");
  EXPECT_EQ(Spoken(L"   \t "), "");
  EXPECT_EQ(SpokenPieces(L"123 ABC"), "") << "digits and capitals have no phonemes";
}

TEST(SpeakText, NormalisesFirst) {
  EXPECT_EQ(Spoken(L"123 ABC"), SpokenPieces(L"sto dwadzieścia trzy a be ce."));
  EXPECT_EQ(Spoken(L"Ala	ma  KOTA"), SpokenPieces(L"ala ma ka o te a."));
}

TEST(SpeakText, StartsFromAnEmptyList) {
  PhonemeList().Push(L"x");  // left over from an interrupted call
  EXPECT_EQ(Spoken(L"a"), "\r\na 150 0 187\r\n_ 200 0 160") << "normalised to «a.»";
  // The reader's own list: emptied first as well, and left empty.
  PhonemeList().Push(L"x");
  RecordingSink sink;
  std::wstring text = L"a";
  SpeakText(text, NormaliseOptions{}, sink, PhonemeList());
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(sink.calls[0], "\r\na 150 0 187\r\n_ 200 0 160");
  EXPECT_EQ(PhonemeList().Count(), 0);
}

// Each call draws from the source its options give and keeps its list to itself, so threads
// speak at once and each says what it says alone; the program's source is left alone.
TEST(SpeakText, CallsInFourThreadsEachSayWhatTheySayAlone) {
  const std::vector<std::wstring> texts = {L"Czy tak? Tak, tak, dobrze?", L"Ile? 15 z\u0142, prawda?",
                                           L"Kot, pies, ryba, ptak?", L"Czy Ala ma kota? Ma, ma."};
  auto say = [&](size_t k, uint64_t seed) {
    RandomSource random(seed);
    NormaliseOptions options;
    options.random = &random;
    std::string all;
    for (int round = 0; round < 300; ++round) {
      std::wstring text = texts[k];
      RecordingSink sink;
      SpeakText(text, options, sink);
      all += sink.calls.at(0);
    }
    return all;
  };
  std::vector<std::string> alone, together(texts.size());
  for (size_t k = 0; k < texts.size(); ++k) alone.push_back(say(k, 100 + k));
  ASSERT_TRUE(FixRandomDraw(0.0));  // were the program's source used, every call would differ
  std::vector<std::thread> threads;
  for (size_t k = 0; k < texts.size(); ++k) threads.emplace_back([&, k] { together[k] = say(k, 100 + k); });
  for (std::thread& thread : threads) thread.join();
  ReleaseRandomDraw();
  for (size_t k = 0; k < texts.size(); ++k) EXPECT_EQ(together[k], alone[k]) << k;
  EXPECT_NE(say(0, 1), say(0, 2)) << "the draws come from the seed";
}

TEST(CutPieces, PiecesAndTheirIntonation) {
  EXPECT_EQ(Pieces(L"ala ma kota."), (PieceList{{L"ala", 1}, {L"ma", 1}, {L"kota.", 1}}));
  EXPECT_EQ(Pieces(L"czy tak?"), (PieceList{{L"czy", 1}, {L"tak?", -1}}));
  EXPECT_EQ(Pieces(L"tak, dobrze!"), (PieceList{{L"tak,", -1}, {L"dobrze!", 2}}));
  EXPECT_EQ(Pieces(L"(tak) pół-"), (PieceList{{L"(tak)", -1}, {L"pół-", 1}}));
  EXPECT_EQ(Pieces(L"a;b.c"), (PieceList{{L"a;", 1}, {L"b.", 1}, {L"c", 1}}));
  EXPECT_EQ(Pieces(L"a . b"), (PieceList{{L"a", 1}, {L".", 1}, {L"b", 1}}));
}

TEST(CutPieces, BlanksTabsAndLineBreaks) {
  EXPECT_EQ(Pieces(L"ala   \t  ma  "), (PieceList{{L"ala", 1}, {L"ma", 1}}));
  EXPECT_EQ(Pieces(L" ala"), (PieceList{{L"", 1}, {L"ala", 1}})) << "a leading blank cuts an empty piece";
  // A tab cuts only once the rest has been cleaned up, that is after the first cut.
  EXPECT_EQ(Pieces(L"ala\tma kot\tma"), (PieceList{{L"ala ma", 1}, {L"kot", 1}, {L"ma", 1}}));
  EXPECT_EQ(Pieces(L"\tala ma"), (PieceList{{L"ala", 1}, {L"ma", 1}}));
  EXPECT_EQ(Pieces(L"\t"), (PieceList{{L"", 1}}));
  EXPECT_EQ(Pieces(L"ala\r\nma."), (PieceList{{L"ala\r\nma.", 1}}));
  EXPECT_EQ(Pieces(L""), PieceList{});
}

TEST(SpeakPieces, WordsSplitByATabInOnePieceShareOneContour) {
  // «ala<TAB>ma» is one piece of two words: seven items, one pitch line.
  EXPECT_EQ(SpokenPieces(L"ala\tma"),
            "\r\na 70 0 240\r\nl 70 0 229\r\na 70 0 217\r\nm 70 0 194\r\na 70 0 183");
}

TEST(SpeakText, RisingPiecesUseTheDraw) {
  FixRandomDraw(0.5);
  EXPECT_EQ(Spoken(L"tak?"), "\r\nt 70 0 196\r\na 70 0 204\r\nk 150 0 212\r\n_ 200 0 220");
  ReleaseRandomDraw();
}

TEST(SpeakText, HostileInputIsSafe) {
  std::wstring marks(40000, L'.');
  EXPECT_EQ(Spoken(marks).size(), 40000u * 13);  // one pause line per mark
  std::wstring mixed;
  for (int i = 0; i < 20000; ++i) mixed += L"za\tżółć\r\n\x01\xFFFF\u4e2d gęś? ";
  EXPECT_FALSE(Spoken(mixed).empty());
  EXPECT_FALSE(Spoken(std::wstring(100000, L'a')).empty());
}

}  // namespace
}  // namespace mowik
