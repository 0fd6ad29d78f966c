#pragma once
// Where the program's globals meet the pipeline: the stages take their options as arguments,
// and the program builds them afresh for each utterance.

#include "mowik/verbalise/normalise_text.h"

namespace mowik {

// SpellCapital, NaturalReading, DictionaryTable() and the user's regional settings as they are now. The
// dictionary is referred to, not copied: keep the options no longer than the utterance.
NormaliseOptions CurrentNormaliseOptions();

// The regional settings of the user running the program, read afresh at each call: the
// user's locale in the Windows build, the fixed Polish profile elsewhere.
RegionalSettings UserRegionalSettings();

}  // namespace mowik
