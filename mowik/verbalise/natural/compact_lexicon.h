#pragma once
// The noun lexicon generated from hunspell-pl, as compact bytes and as looked up: every noun
// by its lemma, with the paradigm that gives its forms. A form is found by taking off an
// ending some paradigm adds, putting back what that paradigm strips, and finding the lemma.
//
// The bytes (little-endian; text UTF-8, each string after its length in one byte):
//   "MOWIKNL1"
//   u16 paradigm count; each: u8 gender, u8 form count, each form: strip, add, u16 cases
//   u32 lemma count; each, sorted: u8 bytes shared with the last lemma, the rest as a
//     string, u16 paradigm
// A form is the lemma without its last len(strip) letters (which are strip), then add.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik {

// The (number, case) pairs a form stands in: bit c the singular of case c, bit 6 + c the
// plural.
using CaseSet = uint16_t;
constexpr CaseSet Singular(Case c) { return static_cast<CaseSet>(1u << static_cast<int>(c)); }
constexpr CaseSet Plural(Case c) { return static_cast<CaseSet>(1u << (6 + static_cast<int>(c))); }
constexpr CaseSet kAllCases = 0x0fff;

class CompactLexicon {
 public:
  struct Ending {
    std::wstring strip, add;
    CaseSet cases = 0;
  };
  struct Paradigm {
    Gender gender = Gender::MascInanimate;
    std::vector<Ending> endings;
  };
  struct Analysis {
    std::wstring lemma;
    Gender gender = Gender::MascInanimate;
    CaseSet cases = 0;
  };

  // Null for bytes that are not a whole lexicon (a wrong header, a string or count running
  // past the end, a paradigm out of range, bytes left over, a gender or case set out of
  // range, lemmas out of order).
  static std::optional<CompactLexicon> Decode(std::string_view bytes);

  // Every reading of a lower-case word, in lemma order; the same lemma and gender once.
  std::vector<Analysis> Analyse(std::wstring_view word) const;

  size_t LemmaCount() const { return paradigmOf_.size(); }
  size_t ParadigmCount() const { return paradigms_.size(); }
  // What the decoded lexicon holds in memory, roughly (strings and arrays, not the heap's
  // own overhead).
  size_t MemoryBytes() const;

 private:
  std::string_view Lemma(size_t k) const;  // UTF-8: a quarter of the memory of wide text

  std::vector<Paradigm> paradigms_;
  std::string lemmaText_;
  std::vector<uint32_t> lemmaStart_;  // one more than lemmas: the end of the last
  std::vector<uint16_t> paradigmOf_;
  // By what a form ends in: what its lemma ended in instead, and the paradigms (sorted)
  // that make that change.
  struct Change {
    std::wstring strip;
    std::vector<uint16_t> paradigms;
  };
  std::unordered_map<std::wstring, std::vector<Change>> changesByAdd_;
  size_t longestAdd_ = 0;
};

// The lexicon built into this program (empty when the build had no hunspell-pl).
const CompactLexicon& BuiltInNounLexicon();

}  // namespace mowik
