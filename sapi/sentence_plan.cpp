#include "sapi/sentence_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/frontend/speak_text.h"

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

}  // namespace

std::mutex& FrontEndMutex() {
  static std::mutex mutex;
  return mutex;
}

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
  std::lock_guard lock(FrontEndMutex());
  SentencePlan plan;
  const std::vector<std::wstring> pieces = NormalisedPieces(sentence, options);

  // Piece by piece: every piece is transcribed and given its contour by itself, so the
  // pieces' texts joined are the sentence's text, and each piece's share of time is known.
  PhonemeList().Clear();
  for (const std::wstring& piece : pieces) {
    plan.pieceStartMs.push_back(plan.totalMs);
    CollectingSink sink;
    std::wstring text = piece;
    SpeakPieces(text, sink);
    plan.totalMs += PhonemeTextMs(sink.text);
    plan.phonemes += sink.text;
  }

  if (!placeWords) return plan;
  const std::vector<TextSpan> words = SplitWords(sentence);
  size_t before = 0;
  for (size_t k = 0; k < words.size(); ++k) {
    const bool last = k + 1 == words.size();
    size_t upTo = last ? pieces.size() : NormalisedPieces(sentence.substr(0, words[k].end()), options).size();
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
