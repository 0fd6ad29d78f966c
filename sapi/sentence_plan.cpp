#include "sapi/sentence_plan.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/frontend/speak_text.h"
#include "mowik/program/table_model.h"

namespace mowik {
namespace {

class CollectingSink : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { text += phonemeText; }
  std::string text;
};

std::vector<std::wstring> NormalisedPieces(std::wstring_view text, const NormaliseOptions& options) {
  std::wstring normalised(text);
  NormaliseText(normalised, options);
  std::vector<std::wstring> pieces;
  CutPieces(normalised, [&](const std::wstring& piece) { pieces.push_back(piece); });
  return pieces;
}

// The normaliser reads a few words around each place (a date, an amount, a phone number in
// groups, the preposition before a number): blocks of this many words hold that with a wide
// margin. A dictionary row of more words widens them.
constexpr size_t kBlockWords = 16;

size_t BlockWords(const NormaliseOptions& options) {
  size_t block = kBlockWords;
  const TableModel* dictionary = options.dictionary;
  for (int32_t row = 1; dictionary && row <= dictionary->Rows(); ++row)
    block = std::max(block, 2 * (SplitWords(dictionary->CellText(row, 1)).size() + 1));
  return block;
}

// For each word but the last, the pieces of the sentence's normalised prefix that ends with
// the word. The first two blocks of words normalise their prefixes whole. Each later block is
// counted in a window that starts two blocks before it: once the window's reading has settled
// into the sentence's, a prefix's count is the window's plus the pieces before the window.
// That offset is taken from the block before, whose counts are known, and only where it is
// the same for all of that block's words; otherwise (a reading that runs on for more than a
// block, like a dictionary row matched over and over across words) the block's prefixes are
// normalised whole. Every block costs a bounded window: linear in the words.
std::vector<size_t> PrefixPieceCounts(std::wstring_view sentence, const std::vector<TextSpan>& words,
                                      const NormaliseOptions& options) {
  const size_t block = BlockWords(options);
  const size_t placed = words.empty() ? 0 : words.size() - 1;
  auto piecesOf = [&](size_t from, size_t k) {
    return static_cast<ptrdiff_t>(NormalisedPieces(sentence.substr(from, words[k].end() - from), options).size());
  };
  std::vector<size_t> counts(placed);
  for (size_t first = 0; first < placed; first += block) {
    const size_t end = std::min(placed, first + block);
    bool settled = first >= 2 * block;
    ptrdiff_t offset = 0;
    const size_t from = settled ? words[first - 2 * block].start : 0;
    for (size_t j = first - (settled ? block : 0); settled && j < first; ++j) {
      const ptrdiff_t here = static_cast<ptrdiff_t>(counts[j]) - piecesOf(from, j);
      if (j == first - block) offset = here;
      settled = here == offset;
    }
    for (size_t k = first; k < end; ++k)
      counts[k] = settled ? static_cast<size_t>(std::max<ptrdiff_t>(0, offset + piecesOf(from, k)))
                          : static_cast<size_t>(piecesOf(0, k));
  }
  return counts;
}

}  // namespace

double PhonemeTextMs(std::string_view phonemes) {
  double total = 0;
  size_t pos = 0;
  while (pos < phonemes.size()) {
    size_t end = phonemes.find('\n', pos);
    if (end == std::string_view::npos) end = phonemes.size();
    const std::string line(phonemes.substr(pos, end - pos));
    pos = end + 1;
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    char* stop = nullptr;
    const double ms = std::strtod(line.c_str() + blank + 1, &stop);
    if (stop != line.c_str() + blank + 1 && std::isfinite(ms) && ms > 0) total += ms;
  }
  return total;
}

SentencePlan PlanSentence(std::wstring_view sentence, const NormaliseOptions& options, bool placeWords) {
  SentencePlan plan;
  const std::vector<std::wstring> pieces = NormalisedPieces(sentence, options);

  // Piece by piece: every piece is transcribed and given its contour by itself, so the
  // pieces' texts joined are the sentence's text, and each piece's share of time is known.
  ClsStackCollection list;
  RandomSource& random = options.random ? *options.random : ProgramRandom();
  for (const std::wstring& piece : pieces) {
    plan.pieceStartMs.push_back(plan.totalMs);
    CollectingSink sink;
    std::wstring text = piece;
    SpeakPieces(text, sink, list, random);
    plan.totalMs += PhonemeTextMs(sink.text);
    plan.phonemes += sink.text;
  }

  if (!placeWords) return plan;
  const std::vector<TextSpan> words = SplitWords(sentence);
  const std::vector<size_t> prefixPieces = PrefixPieceCounts(sentence, words, options);
  size_t before = 0;
  for (size_t k = 0; k < words.size(); ++k) {
    const bool last = k + 1 == words.size();
    size_t upTo = last ? pieces.size() : prefixPieces[k];
    // A prefix can read shorter than the sentence reads it (a date's first word alone);
    // the places only ever move forward.
    upTo = std::clamp(upTo, before, pieces.size());
    if (upTo > before) plan.words.push_back({words[k], before});
    before = upTo;
  }
  return plan;
}

std::vector<size_t> WordSampleOffsets(const SentencePlan& plan, size_t totalSamples) {
  std::vector<size_t> offsets;
  for (const WordPlace& word : plan.words) {
    const double ms = word.firstPiece < plan.pieceStartMs.size() ? plan.pieceStartMs[word.firstPiece] : plan.totalMs;
    const double share = plan.totalMs > 0 ? ms / plan.totalMs : 0;
    offsets.push_back(std::min(totalSamples, static_cast<size_t>(std::llround(share * static_cast<double>(totalSamples)))));
  }
  return offsets;
}

}  // namespace mowik
