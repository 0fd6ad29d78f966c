#pragma once
// Words written in capitals, read as Poles say them.

#include <string>
#include <string_view>

namespace mowik {

// True for a word of two or more letters, all of them capitals (Polish ones included).
bool IsCapitalWord(std::wstring_view word);

// How a capital word is said: the table's reading of common acronyms («TVP» «te fau pe»);
// else as a word when Polish can say its letters as one (at least three letters, a vowel, no
// three consonants together, a consonant pair only where Polish words begin or end with one:
// «NATO», «ZUS», «UWAGA»); else spelled with the letter names («PKP» «pe ka pe»). ending is
// what follows a hyphen («ZUS-u»): joined to the last syllable («zusu», «es em esa»). The
// result is lowercase, words separated by single blanks.
std::wstring AcronymWords(std::wstring_view word, std::wstring_view ending = {});

// The one-letter capital words that are Polish words: A, I, O, U, W, Z.
bool IsOneLetterWord(wchar_t capital);

}  // namespace mowik
