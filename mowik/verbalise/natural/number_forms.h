#pragma once
// Cardinal and ordinal words in every case and gender, for natural reading. The words are
// joined by single blanks, with no blank at either end.

#include <cstdint>
#include <string>
#include <string_view>

#include "mowik/verbalise/natural/polish_grammar.h"

namespace mowik {

// The largest value read as one number; longer digit runs are read digit by digit.
constexpr uint64_t kLargestCardinal = 999'999'999'999;

// The cardinal of value agreeing with a noun of gender in grammatical case: «dwie» (2, Nom,
// Feminine), «czterema» (4, Ins), «pięciu» (5, Nom, MascPersonal: with a genitive noun).
// Whole thousands, millions and thousand millions carry no «jeden»: 1000 is «tysiąc». A
// final 1 of a longer number stays «jeden» («dwadzieścia jeden»). Values above
// kLargestCardinal are not numbers: the empty text.
std::wstring CardinalWords(uint64_t value, Case grammaticalCase = Case::Nom, Gender gender = Gender::MascInanimate);

// The collective numeral of value 2..12 in the nominative or accusative («dwoje», «pięcioro»),
// as «dzieci» takes it; the empty text for other values.
std::wstring CollectiveWords(uint64_t value);

// The ordinal of value as an adjective in case, gender and number, as numbers are said: the
// cardinal words of the thousands and hundreds before an ordinal ending («dwa tysiące
// dwudziestego pierwszego», «tysiąc dziewięćsetnym»), «dwutysięczny» for whole thousands up to
// 9000. Values above kLargestCardinal give the empty text.
std::wstring OrdinalWords(uint64_t value, Case grammaticalCase, Gender gender, bool plural = false);

// A hard-stem adjective («kwadratow», «święt») in case, gender and number: «kwadratowe»
// (Nom, plural), «świętej» (Gen, Feminine).
std::wstring AdjectiveWord(std::wstring_view stem, Case grammaticalCase, Gender gender, bool plural);

// Digits read one by one, «zero» included: «0 0 7» is «zero zero siedem».
std::wstring DigitWords(std::wstring_view digits);

// A group of digits as written in telephone numbers and postcodes: each leading zero as
// «zero», the rest as one cardinal: «067» is «zero sześćdziesiąt siedem».
std::wstring DigitGroupWords(std::wstring_view digits);

// The value of a run of ASCII digits, or nothing past kLargestCardinal.
bool DigitValue(std::wstring_view digits, uint64_t& value);

}  // namespace mowik
