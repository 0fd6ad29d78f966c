#pragma once
// A hunspell dictionary (.dic and .aff) as far as the lexicon needs it: the words with their
// flags and the suffix rules, decoded to wide text, and every form a word's flags give.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mowik::lexicon {

// The whole file's bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

struct SuffixRule {
  std::wstring strip, add;
  // The condition on the word's end, one item per letter: the letters allowed, or (negated)
  // the letters not allowed; an empty set with negated means any letter.
  struct Item {
    std::wstring letters;
    bool negated = false;
  };
  std::vector<Item> condition;
  bool Applies(std::wstring_view word) const;
};

struct DictionaryWord {
  std::wstring word;
  std::wstring flags;  // one flag a character
};

struct HunspellSource {
  std::vector<DictionaryWord> words;
  std::map<wchar_t, std::vector<SuffixRule>> suffixes;
  bool utf8 = true;  // the encoding SET names; the word list is read in it
};

// Reads the affix file's text: SET (UTF-8 or ISO8859-2) and the SFX rules; PFX rules are
// skipped (Polish uses them for «nie-» before adjectives and verbal nouns, not for noun
// forms). Returns false with error set for what it cannot read: an unknown SET, a FLAG
// other than the default one character, a malformed rule.
bool ReadAffixes(std::string_view aff, HunspellSource& source, std::string& error);

// Reads the word list (first line the count, then word[/flags]) in the affix file's
// encoding. Lines it cannot read give an error naming the line.
bool ReadWords(std::string_view dic, HunspellSource& source, std::string& error);

// The word and every form its suffix flags give, in rule order, without repeats.
std::vector<std::wstring> Forms(const HunspellSource& source, const DictionaryWord& word);

// Text of the affix file's encoding, decoded; invalid UTF-8 becomes U+FFFD.
std::wstring Decode(std::string_view bytes, bool utf8);

}  // namespace mowik::lexicon
