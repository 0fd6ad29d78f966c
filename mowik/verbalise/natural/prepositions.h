#pragma once
// The cases that Polish prepositions govern, for agreeing what follows them.

#include <string_view>
#include <vector>

#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik {

// The cases a preposition (lowercase) takes, the likelier first; empty for any other word.
// A few nouns that govern a number like a preposition («w wieku 85 lat») are listed too.
std::vector<Case> CasesAfterPreposition(std::wstring_view word);

}  // namespace mowik
