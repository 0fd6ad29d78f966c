#pragma once
// The natural reader: one pass over the text, left to right, that writes each word, number,
// sign, abbreviation and address as it is said. Shared by its source files; not a public
// interface (natural_normalise.h is).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/verbalise/natural/noun_lexicon.h"
#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik {

struct Currency;

class NaturalReader {
 public:
  explicit NaturalReader(std::wstring_view text) : text_(text) {}
  // The reading of the whole text, before lowercasing and blank clean-up.
  std::wstring Read();

 private:
  // Characters.
  wchar_t At(size_t p) const { return p < text_.size() ? text_[p] : L'\0'; }
  size_t DigitsEnd(size_t p) const;
  size_t LettersEnd(size_t p) const;
  size_t SkipBlank(size_t p) const;  // past at most one run of blanks on one line
  std::wstring_view Slice(size_t from, size_t to) const { return text_.substr(from, to - from); }
  bool ClosesSentenceAt(size_t p) const;  // end of text, or blanks then a capital or a line end
  // End of text or of the line: where the dot of «r.» and «w.» also closes the sentence
  // (before a capital it may as well start a name: «w 1995 r. Polska»).
  bool EndsLineAt(size_t p) const;

  // Output.
  void Say(std::wstring_view words);
  void Mark(wchar_t mark);
  void SentenceEnd();

  // Context of the next number or word: the cases of the preposition just read.
  std::vector<Case> CasesHere() const;

  // Rules: each returns true when it read something at pos_ and moved past it.
  bool ReadAddress();
  static bool IsWeekday(std::wstring_view lemma);
  bool ReadWeekdays(const Noun& day, Case c);  // a day's abbreviation, or a span of two
  bool ReadNumber();
  bool ReadSignedNumber();
  bool ReadCurrencyFirst();
  bool ReadPhone();
  bool ReadWord();
  void ReadSymbol();

  // Numbers (read_numbers.cpp).
  bool ReadDate(size_t start);
  bool ReadClock(size_t start, std::optional<Case> forced);
  // Two digit runs joined by one of separators from start: their values and the end.
  bool NumberPairAt(size_t start, std::wstring_view separators, uint64_t& a, uint64_t& b, size_t& end) const;
  bool ReadScore(size_t start);
  bool ReadPostcode(size_t start);
  bool ReadRange(size_t start);
  bool ReadFirstDayOfSpan(size_t start);
  bool ReadFraction(size_t start);
  bool ReadOrdinalBeforeNoun(size_t start);
  bool ReadGroupsAsPhone(size_t start);
  void ReadQuantity(size_t start);
  void ReadQuantityWith(size_t start, const Currency* currency);
  // A count (integer, or a decimal with fraction digits) and what follows it from p on:
  // a multiplier, a currency, a unit, a year's «r.» or a noun it agrees with.
  void SayCount(uint64_t value, std::wstring_view fraction, size_t p, const Currency* currency);
  std::wstring YearWords(uint64_t year, Case c) const;
  bool ReadYearNoun(uint64_t year, size_t p);

  // Agreement.
  struct Agreement {
    Case grammaticalCase = Case::Nom;
    Gender gender = Gender::MascInanimate;
  };
  Agreement AgreeCount(uint64_t value, std::wstring_view nextWord) const;
  Agreement AgreeOrdinal(std::wstring_view noun, const std::vector<Case>& cases) const;
  std::wstring NextWordAt(size_t p) const;

  std::wstring_view text_;
  size_t pos_ = 0;
  std::wstring out_;
  std::wstring lastWord_;               // the last word read, lowercase; empty after a number or mark
  std::optional<Case> joinedCase_;      // «między 5 a 6»: the first number's case for the second
  std::optional<Case> carriedCase_;     // «o godz.» hands «o»'s case on to the time
  bool phoneNext_ = false;              // after «tel.»
  bool hourRange_ = false;              // «godz.» before a span of hours
  bool lastWasName_ = false;            // the last word read began with a capital
};

}  // namespace mowik
