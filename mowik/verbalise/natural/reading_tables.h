#pragma once
// The tables of natural reading: units, currencies, abbreviations, month names, address
// endings. Lookups compare exactly unless they say otherwise.

#include <string_view>

namespace mowik {

// A unit after a number: the lemma of its noun (noun_lexicon), an adjective stem agreeing with
// it («kwadratow» for m²) and words said after both («na godzinę» for km/h), each possibly empty.
struct Unit {
  std::wstring_view symbol, noun, adjective, tail;
};
// The longest unit whose symbol starts text and is not followed by a letter or digit; null
// when none.
const Unit* UnitAt(std::wstring_view text);

// A currency: its symbols and codes, the lemma of its noun and of its hundredth part.
struct Currency {
  std::wstring_view symbol, noun, hundredth;
  bool before;  // may be written before the amount: «$40»
};
// The longest currency symbol or code that starts text and is not followed by a letter;
// null when none.
const Currency* CurrencyAt(std::wstring_view text);
// A currency sign written before an amount, as the first character of text; null when none.
const Currency* CurrencySignAt(std::wstring_view text);

// «tys.», «mln», «mld» (with or without a dot) starting text: the lemma of the noun, else empty;
// length is set to the characters the abbreviation takes.
std::wstring_view MultiplierAt(std::wstring_view text, size_t& length);

// An abbreviation read wherever it stands. Kinds: Words are said as written; Noun is the lemma
// of a noun that takes the case of a preposition before it; Adjective is a stem that agrees
// with the next word (a name for «św.»).
struct Abbreviation {
  enum class Kind { Words, Noun, Adjective };
  std::wstring_view text, reading;
  Kind kind;
  bool mayEndSentence;  // its dot may also close the sentence («itd.»)
};
// The longest abbreviation at the start of text, comparing a capital first letter as small
// («Ul.» at a sentence's start), followed by neither letter nor digit; null when none.
const Abbreviation* AbbreviationAt(std::wstring_view text);

// 1..12 for a month's genitive name («maja»), any letter case, else 0.
int MonthOfGenitive(std::wstring_view word);
// The genitive name of month 1..12.
std::wstring_view MonthGenitive(int month);

// How the last label of an address is said («pl» as «pe el»); empty when not a known ending.
std::wstring_view AddressEndingWords(std::wstring_view label);

// True for women's first names as the nominative (Roman numerals after them are feminine).
bool IsFemaleName(std::wstring_view lowercaseName);

}  // namespace mowik
