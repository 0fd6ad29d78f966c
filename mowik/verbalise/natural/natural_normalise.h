#pragma once
// Natural reading: the text as a careful Polish speaker reads it aloud.

#include <string>

#include "mowik/verbalise/normalise_text.h"

namespace mowik {

// Rewrites text in place into lowercase Polish words and marks, as NormaliseText does, but
// reading numbers in agreement with their nouns and prepositions, dates and years as
// genitive ordinals, clock times as feminine ordinals, amounts, units, signs, abbreviations,
// acronyms, telephone numbers, postcodes and addresses in words. The rows of
// options.dictionary are applied first, to the text as written, so that a user's row wins
// over every built-in reading. Line ends close sentences; the text ends with one of ".?!;"
// (an empty text stays empty). Linear in the length of the text. options.spellCapital and
// options.regional are not read: natural reading says every capital word and number, and
// reads the dates that Polish writes.
void NormaliseNaturally(std::wstring& text, const NormaliseOptions& options);

}  // namespace mowik
