#pragma once
// TranscriptModule: text normalisation, the first stage of every utterance.

#include <string>

#include "mowik/output/regional_settings.h"

namespace mowik {

// Rewrites raw text in place into lowercase Polish words and marks for the pieces and the
// transcription, in this order: capital words spelled and, later, digit strings read (both
// only while SpellCapital is non-zero); dates, ratios, clock times, currency amounts and
// ranges in words; lowercase; blanks cleaned up; a closing "." unless the text ends in
// ".?!;" (an empty text stays empty); the rows of DictionaryTable() (find ignoring case, the
// replacement written in lowercase); then the fixed symbol, address and abbreviation
// substitutions. Each step replaces its matches where they were found. Linear in the length.
// Dates are read with regional, or with the user's settings.
void NormaliseText(std::wstring& text, const RegionalSettings& regional);
void NormaliseText(std::wstring& text);

}  // namespace mowik
