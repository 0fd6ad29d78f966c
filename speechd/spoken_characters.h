#pragma once
// Characters and keys in Polish words, for CHAR, KEY and spelled text (say-as characters,
// spelling mode): letters by the names Mowik's capital spelling gives them ("be", "ka",
// "eł"), digits and punctuation by their names, anything else as itself for the normaliser.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "speechd/voice_settings.h"

namespace mowik::speechd {

// The name of one character (a UTF-16 unit; a surrogate pair is passed as itself), without
// blanks around it.
std::wstring CharacterName(wchar_t c);

// Whether c is a capital letter (it has a small letter of its own).
bool IsCapital(wchar_t c);

// The words for CHAR's character. A capital gets "duże" before its name with kSpell; with
// kIcon, icon is set (the caller sends the capital sound icon) and the name is plain.
std::wstring CharacterWords(std::wstring_view character, CapitalRecognition capitals, bool& icon);

// text spelled out: each character's name followed by a blank (blanks themselves give only
// the pause between words; capitals as CharacterWords says them, icons not). offsets, when
// given, receives for every index of text (and its end) the index in the result where that
// character's words start, so that marks keep their places.
std::wstring SpelledText(std::wstring_view text, CapitalRecognition capitals, std::vector<size_t>* offsets = nullptr);

// The words for KEY's key name: "a", "shift_a", "control_alt_delete", "f5", "space",
// "double-quote" and the other SSIP names; parts joined by "_" are said one after another,
// an unknown multi-letter name as it is written.
std::wstring KeyWords(std::wstring_view key);

}  // namespace mowik::speechd
