#pragma once
// CapitalSpell: capital-letter words spelled with the Polish names of their letters.

#include <string>
#include <string_view>
#include <vector>

namespace mowik {

// The names of the letters of word, each followed by one blank: consonants by their Polish
// names («PKP» is «pe ka pe »), every other character as its own lowercase letter («USA» is
// «u es a »). Only capitals have names; a small letter is spoken as itself.
std::wstring SpellCapitals(std::wstring_view word);

// The characters of text in order, one per element (index 0 to length - 1).
std::vector<std::wstring> SplitChars(std::wstring_view text);

}  // namespace mowik
