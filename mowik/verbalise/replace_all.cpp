#include "mowik/verbalise/replace_all.h"

#include <vector>

#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

// Knuth-Morris-Pratt over the characters as fold gives them.
template <typename Fold>
void ReplaceFolded(std::wstring& text, std::wstring_view find, std::wstring_view replacement, Fold fold) {
  if (find.empty() || find.size() > text.size()) return;
  std::wstring pattern(find);
  for (wchar_t& c : pattern) c = fold(c);
  // fallback[k]: the length of the longest proper border of pattern[0..k].
  std::vector<size_t> fallback(pattern.size(), 0);
  for (size_t k = 1, border = 0; k < pattern.size(); ++k) {
    while (border > 0 && pattern[k] != pattern[border]) border = fallback[border - 1];
    if (pattern[k] == pattern[border]) ++border;
    fallback[k] = border;
  }
  const wchar_t first = pattern[0];
  const size_t size = text.size();
  std::wstring result;
  size_t copied = 0;  // text before this has been written to result
  size_t matched = 0;
  for (size_t i = 0; i < size; ++i) {
    if (matched == 0) {
      // Most of the text is skipped here, looking for the first character only.
      while (i < size && fold(text[i]) != first) ++i;
      if (i == size) break;
    }
    const wchar_t c = fold(text[i]);
    while (matched > 0 && c != pattern[matched]) matched = fallback[matched - 1];
    if (c == pattern[matched]) ++matched;
    if (matched == pattern.size()) {
      const size_t start = i + 1 - pattern.size();
      if (copied == 0) result.reserve(size + size / 8);
      result.append(text, copied, start - copied);
      result.append(replacement);
      copied = i + 1;
      matched = 0;  // no overlapping occurrences
    }
  }
  if (copied == 0) return;
  result.append(text, copied, std::wstring::npos);
  text = std::move(result);
}

}  // namespace

void ReplaceAll(std::wstring& text, std::wstring_view find, std::wstring_view replacement, size_t anchor) {
  if (find.empty() || find.size() > text.size()) return;
  if (anchor >= find.size()) anchor = 0;
  const std::wstring_view view(text);
  std::wstring result;
  size_t copied = 0;  // text before this has been written to result; no occurrence starts earlier
  for (size_t at = view.find(find[anchor], anchor); at != std::wstring_view::npos;
       at = view.find(find[anchor], at + 1)) {
    const size_t start = at - anchor;
    if (start < copied || view.compare(start, find.size(), find) != 0) continue;
    if (result.empty()) result.reserve(text.size() + text.size() / 8);
    result.append(view.substr(copied, start - copied));
    result.append(replacement);
    copied = start + find.size();
    at = copied + anchor - 1;  // the next occurrence starts at copied or later
  }
  if (copied == 0) return;
  result.append(view.substr(copied));
  text = std::move(result);
}

void ReplaceAllIgnoringCase(std::wstring& text, std::wstring_view find, std::wstring_view replacement) {
  ReplaceFolded(text, find, replacement, LowerChar);
}

}  // namespace mowik
