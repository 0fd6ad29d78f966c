#include "mowik/verbalise/text_patterns.h"

namespace mowik {
namespace {

bool IsAsciiCapital(wchar_t c) { return c >= L'A' && c <= L'Z'; }
bool IsAsciiLetter(wchar_t c) { return IsAsciiCapital(c) || (c >= L'a' && c <= L'z'); }

// The character at i, or NUL beyond the end (NUL is no digit, letter, word or blank
// character, which is what every pattern needs at the ends of the text).
wchar_t At(std::wstring_view text, size_t i) { return i < text.size() ? text[i] : L'\0'; }

// A word boundary in front of a word character at i.
bool BoundaryBefore(std::wstring_view text, size_t i) { return i == 0 || !IsWordChar(text[i - 1]); }

size_t DigitsFrom(std::wstring_view text, size_t i, size_t most) {
  size_t n = 0;
  while (n < most && IsAsciiDigit(At(text, i + n))) ++n;
  return n;
}

// Three ASCII letters at i with a word boundary after them.
bool CodeAt(std::wstring_view text, size_t i) {
  return IsAsciiLetter(At(text, i)) && IsAsciiLetter(At(text, i + 1)) && IsAsciiLetter(At(text, i + 2)) &&
         !IsWordChar(At(text, i + 3));
}

// Runs a matcher at every position; after a match the search goes on at its end. The
// matcher returns the length of the match at i, 0 for none (no pattern here that is used
// for its matches can match the empty text).
template <typename MatchAt>
std::vector<PatternMatch> FindAll(std::wstring_view text, MatchAt matchAt) {
  std::vector<PatternMatch> matches;
  for (size_t i = 0; i < text.size();) {
    const size_t length = matchAt(i);
    if (length == 0) {
      ++i;
      continue;
    }
    matches.push_back({i, length});
    i += length;
  }
  return matches;
}

}  // namespace

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsWordChar(wchar_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'_'; }

bool IsWhiteSpace(wchar_t c) {
  switch (c) {
    case L'\t': case L'\n': case 0x0B: case 0x0C: case L'\r': case L' ':
    case 0x00A0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F:
    case 0x3000: case 0xFEFF:
      return true;
  }
  return c >= 0x2000 && c <= 0x200A;
}

std::vector<PatternMatch> FindCapitalWords(std::wstring_view text) {
  return FindAll(text, [&](size_t i) -> size_t {
    if (!IsAsciiCapital(text[i]) || !BoundaryBefore(text, i)) return 0;
    size_t end = i;
    while (IsAsciiCapital(At(text, end))) ++end;
    // Giving back capitals cannot help: a capital is a word character, so the boundary can
    // only come after the whole run.
    return IsWordChar(At(text, end)) ? 0 : end - i;
  });
}

std::vector<PatternMatch> FindDateCandidates(std::wstring_view text) {
  const auto separator = [](wchar_t c) { return c == L'/' || c == L'|' || c == L'-'; };
  return FindAll(text, [&](size_t i) -> size_t {
    // The first two groups must be their whole digit runs (a digit never matches a
    // separator), so a run of five or more digits fails there.
    const size_t first = DigitsFrom(text, i, 5);
    if (first == 0 || first > 4 || !separator(At(text, i + first))) return 0;
    const size_t second_at = i + first + 1;
    const size_t second = DigitsFrom(text, second_at, 5);
    if (second == 0 || second > 4 || !separator(At(text, second_at + second))) return 0;
    const size_t third_at = second_at + second + 1;
    const size_t third = DigitsFrom(text, third_at, 4);
    return third == 0 ? 0 : third_at + third - i;
  });
}

std::vector<PatternMatch> FindRatios(std::wstring_view text) {
  return FindAll(text, [&](size_t i) -> size_t {
    if (text[i] != L'1' || !BoundaryBefore(text, i) || At(text, i + 1) != L':') return 0;
    size_t end = i + 2;
    while (IsAsciiDigit(At(text, end))) ++end;
    return end == i + 2 ? 0 : end - i;
  });
}

std::vector<PatternMatch> FindTimeCandidates(std::wstring_view text) {
  return FindAll(text, [&](size_t i) -> size_t {
    if (!BoundaryBefore(text, i) || DigitsFrom(text, i, 2) != 2 || At(text, i + 2) != L':' ||
        DigitsFrom(text, i + 3, 2) != 2)
      return 0;
    return At(text, i + 5) == L':' && DigitsFrom(text, i + 6, 2) == 2 ? 8 : 5;
  });
}

std::vector<PatternMatch> FindAmounts(std::wstring_view text) {
  return FindAll(text, [&](size_t i) -> size_t {
    if (!IsWhiteSpace(text[i])) return 0;
    const size_t run = DigitsFrom(text, i + 1, text.size());
    if (run == 0) return 0;
    // The code follows the number at end: joined to it, or after one blank.
    const auto with_code = [&](size_t end) -> size_t {
      if (CodeAt(text, end)) return end + 3 - i;
      if (At(text, end) == L' ' && CodeAt(text, end + 1)) return end + 4 - i;
      return 0;
    };
    const size_t run_end = i + 1 + run;
    // With a decimal mark the fraction's digits end the number; should no code follow, every
    // shorter split ends before the mark, where no code can stand either.
    const wchar_t mark = At(text, run_end);
    if (mark == L'.' || mark == L',') {
      const size_t fraction = DigitsFrom(text, run_end + 1, text.size());
      if (fraction > 0) return with_code(run_end + 1 + fraction);
    }
    // Without a mark the two [0-9]+ share the run, which needs at least two digits.
    return run >= 2 ? with_code(run_end) : 0;
  });
}

std::vector<PatternMatch> FindRanges(std::wstring_view text) {
  std::vector<PatternMatch> matches;
  for (size_t i = 0; i < text.size();) {
    if (!IsAsciiDigit(text[i])) {
      ++i;  // an empty match here
      continue;
    }
    size_t end = i;
    bool hyphen = false;
    while (IsAsciiDigit(At(text, end))) {
      while (IsAsciiDigit(At(text, end))) ++end;
      if (At(text, end) != L'-') break;
      hyphen = true;
      ++end;
    }
    if (hyphen) matches.push_back({i, end - i});
    i = end;
  }
  return matches;
}

std::vector<PatternMatch> FindDigitRuns(std::wstring_view text) {
  return FindAll(text, [&](size_t i) -> size_t { return DigitsFrom(text, i, text.size()); });
}

}  // namespace mowik
