#pragma once
// TranscriptModule: text normalisation, the first stage of every utterance.

#include <string>

#include "mowik/verbalise/regional_settings.h"

namespace mowik {

class RandomSource;
class TableModel;

// What the normalisation reads besides the text. The program builds it from its globals at
// each utterance (CurrentNormaliseOptions); tools and tests give their own.
struct NormaliseOptions {
  bool spellCapital = true;                 // SpellCapital != 0
  const TableModel* dictionary = nullptr;   // replacement rows (find, replace); none when null
  RegionalSettings regional = PolishRegionalSettings();
  bool natural = false;                     // NaturalReading != 0: NormaliseNaturally instead
  // Where the pipeline draws the rising intonation from (not the normalisation itself); the
  // program's source (ProgramRandom) when null.
  RandomSource* random = nullptr;
};

// Rewrites raw text in place into lowercase Polish words and marks for the pieces and the
// transcription, in this order: capital words spelled and, later, digit strings read (both
// only while options.spellCapital is set); dates, ratios, clock times, currency amounts and
// ranges in words; lowercase; blanks cleaned up; a closing "." unless the text ends in
// ".?!;" (an empty text stays empty); the rows of options.dictionary (find ignoring case, the
// replacement written in lowercase); then the fixed symbol, address and abbreviation
// substitutions. Each step replaces its matches where they were found. Linear in the length.
// Dates are read with options.regional. With options.natural, NormaliseNaturally reads the
// text instead.
void NormaliseText(std::wstring& text, const NormaliseOptions& options);

}  // namespace mowik
