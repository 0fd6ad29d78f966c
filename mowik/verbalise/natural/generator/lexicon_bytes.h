#pragma once
// The nouns as the bytes of a CompactLexicon (compact_lexicon.h), and those bytes as C++
// source. The same nouns give the same bytes, whatever their order.

#include <string>
#include <string_view>
#include <vector>

#include "mowik/verbalise/natural/generator/noun_paradigm.h"

namespace mowik::lexicon {

struct EncodedLexicon {
  std::string bytes;
  size_t lemmas = 0, paradigms = 0;
};

// False with error set when the nouns do not fit the format (over 65,535 paradigms, a
// paradigm of over 255 forms, a word or ending of over 255 bytes).
bool EncodeLexicon(const std::vector<NounParadigm>& nouns, EncodedLexicon& out, std::string& error);

// A definition of kNounLexiconBytes holding bytes, in string literals of octal escapes.
std::string AsSource(std::string_view bytes);

}  // namespace mowik::lexicon
