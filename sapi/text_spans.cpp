#include "sapi/text_spans.h"

namespace mowik {
namespace {

bool IsClosingMark(wchar_t c) {
  return c == L'.' || c == L'?' || c == L'!' || c == L';' || c == L'\u2026';
}

bool IsLineBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

}  // namespace

bool IsBlankChar(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v' ||
         c == L'\u00A0' || (c >= L'\u2000' && c <= L'\u200A') || c == L'\u202F' || c == L'\u205F' ||
         c == L'\u3000';
}

std::vector<TextSpan> SplitSentences(std::wstring_view text) {
  std::vector<TextSpan> sentences;
  size_t i = 0;
  const size_t n = text.size();
  auto closeAt = [&](size_t start, size_t end) {
    while (end > start && IsBlankChar(text[end - 1])) --end;
    if (end > start) sentences.push_back({start, end - start});
  };
  while (i < n) {
    while (i < n && IsBlankChar(text[i])) ++i;
    if (i >= n) break;
    const size_t start = i;
    size_t end = n;
    while (i < n) {
      if (IsClosingMark(text[i])) {
        size_t j = i;
        while (j < n && (IsClosingMark(text[j]) || text[j] == L'"' || text[j] == L'\u201D' || text[j] == L')'))
          ++j;
        if (j >= n || IsBlankChar(text[j])) {
          end = j;
          i = j;
          break;
        }
        i = j;
        continue;
      }
      if (IsLineBreak(text[i])) {
        // A paragraph break ends a sentence even without a mark (titles, list items).
        size_t j = i;
        int breaks = 0;
        while (j < n && IsBlankChar(text[j])) {
          if (text[j] == L'\n') ++breaks;
          ++j;
        }
        if (breaks >= 2 || j >= n) {
          end = i;
          i = j;
          break;
        }
        i = j;
        continue;
      }
      ++i;
    }
    closeAt(start, end);
  }
  return sentences;
}

std::vector<TextSpan> SplitWords(std::wstring_view text) {
  std::vector<TextSpan> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlankChar(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsBlankChar(text[i])) ++i;
    if (i > start) words.push_back({start, i - start});
  }
  return words;
}

}  // namespace mowik
