#pragma once
// Cutting a SAPI text fragment into the sentences the voice speaks one by one, and a sentence
// into the words whose places in the caller's text the word events report. Offsets and
// lengths are in UTF-16 code units of the text given, as SAPI counts them.

#include <cstddef>
#include <string_view>
#include <vector>

namespace mowik {

struct TextSpan {
  size_t start = 0;
  size_t length = 0;
  size_t end() const { return start + length; }
  bool operator==(const TextSpan&) const = default;
};

// The sentences of text, in order, without the blanks around them. A sentence ends after a
// run of ".", "?", "!", ";" or "…" that is followed by a blank or the end of the text (so
// "12.05.2024" or "3.5" do not cut; closing quotes and parentheses stay with their
// sentence), or at an empty line (two line feeds with only blanks between them). A text of blanks only has no sentence. Linear in the length.
std::vector<TextSpan> SplitSentences(std::wstring_view text);

// The blank-separated words of text, in order. Blanks are space, tab, CR, LF, no-break space
// and the other Unicode spaces below U+3000.
std::vector<TextSpan> SplitWords(std::wstring_view text);

bool IsBlankChar(wchar_t c);

}  // namespace mowik
