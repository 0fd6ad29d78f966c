// The generated noun lexicon's bytes, read once on first use.
#include "mowik/verbalise/natural/compact_lexicon.h"

namespace mowik {
namespace {
#include "mowik/verbalise/natural/noun_lexicon_data.inc"
}  // namespace

const CompactLexicon& BuiltInNounLexicon() {
  // Bytes that do not decode (a build without hunspell-pl writes none) leave the lexicon
  // empty: the hand table and the ending rules still read.
  static const CompactLexicon lexicon =
      CompactLexicon::Decode(std::string_view(kNounLexiconBytes, sizeof kNounLexiconBytes - 1)).value_or(CompactLexicon());
  return lexicon;
}

}  // namespace mowik
