#pragma once
// One sentence through Mowik's front end, with the bookkeeping the SAPI events need: the
// phoneme text the engine gets (exactly what the pipeline builds for the sentence), where each
// piece starts in time, and which piece each word of the caller's text starts at, although
// normalisation rewrites the text (a date becomes several words, a symbol none).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/verbalise/normalise_text.h"
#include "sapi/text_spans.h"

namespace mowik {

// A word of the sentence as the caller wrote it, and the first piece it is spoken in.
struct WordPlace {
  TextSpan source;        // within the sentence
  size_t firstPiece = 0;  // index into SentencePlan::pieceStartMs
};

struct SentencePlan {
  std::string phonemes;              // the sentence's phoneme text (CR LF before every line)
  std::vector<double> pieceStartMs;  // when each piece starts, by the phoneme durations
  double totalMs = 0;                // the sum of every phoneme duration
  std::vector<WordPlace> words;      // the words that are spoken, in order
};

// Normalises the sentence with options, cuts it into pieces and turns each piece into
// phoneme text as SpeakText does, so that plan.phonemes equals what the pipeline hands its
// sink for the same sentence. A word is placed at the pieces its text adds: the pieces of the
// normalised sentence up to the word's end, minus those up to the word before it (the
// normaliser reads a date or an amount across words, so each prefix is normalised whole).
// Words that add no piece (a dropped symbol) are left out. Far from the sentence's start a
// prefix's pieces are counted in a window of the words before its end (checked against the
// counts before it), so the time is linear in the words. placeWords false leaves words empty
// and saves that work, for callers with nothing to place. Shares nothing with
// other calls but options.random (see SpeakText): callers in several threads may plan at once.
SentencePlan PlanSentence(std::wstring_view sentence, const NormaliseOptions& options, bool placeWords = true);

// The start of each planned word in samples, spreading the pieces' durations over the
// samples the engine actually gave.
std::vector<size_t> WordSampleOffsets(const SentencePlan& plan, size_t totalSamples);

// The duration in milliseconds of each line of phoneme text ("<symbol> <ms> ..."), summed;
// lines without a number count 0.
double PhonemeTextMs(std::string_view phonemes);

}  // namespace mowik
