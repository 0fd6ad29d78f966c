#pragma once
// The fixed patterns of the normalisation, each matched by hand in one linear scan (a general
// regular-expression engine recurses per character and overflows the stack on long digit
// runs). Each finder returns every non-overlapping match in order of position, as a global
// search with ECMAScript semantics does, where \b sees only ASCII letters, digits and "_" as
// word characters and \s is ECMAScript's white space (line ends and Unicode blanks included).

#include <cstddef>
#include <string_view>
#include <vector>

namespace mowik {

struct PatternMatch {
  size_t start = 0;
  size_t length = 0;
  friend bool operator==(const PatternMatch&, const PatternMatch&) = default;
};

// \b[A-Z]+\b, case-sensitive: a word wholly of ASCII capitals.
std::vector<PatternMatch> FindCapitalWords(std::wstring_view text);

// [0-9]{1,4}[/|-][0-9]{1,4}[/|-][0-9]{1,4}: something that may be a date.
std::vector<PatternMatch> FindDateCandidates(std::wstring_view text);

// \b1:[0-9]+ : a ratio such as 1:50.
std::vector<PatternMatch> FindRatios(std::wstring_view text);

// \b[0-9]{2}:[0-9]{2}(:[0-9]{2})? : something that may be a clock time.
std::vector<PatternMatch> FindTimeCandidates(std::wstring_view text);

// \s[0-9]+(\.|,)?[0-9]+([a-z]{3}\b| [a-z]{3}\b), case-insensitive: a white-space character,
// an amount of at least two digits and a three-letter code, joined or after one blank.
std::vector<PatternMatch> FindAmounts(std::wstring_view text);

// ([0-9]+-?)* : only the matches that hold a hyphen (the others change nothing): digit runs
// joined and ended by single hyphens, «10-20», «5-».
std::vector<PatternMatch> FindRanges(std::wstring_view text);

// [0-9]+ : a run of ASCII digits.
std::vector<PatternMatch> FindDigitRuns(std::wstring_view text);

// The character classes of the patterns.
bool IsAsciiDigit(wchar_t c);
bool IsWordChar(wchar_t c);     // [A-Za-z0-9_]
bool IsWhiteSpace(wchar_t c);   // \s

}  // namespace mowik
