#include "mowik/verbalise/replace_all.h"

#include <vector>

#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

// Knuth-Morris-Pratt over the characters as fold gives them.
template <typename Fold>
std::wstring ReplaceFolded(std::wstring_view text, std::wstring_view find, std::wstring_view replacement, Fold fold) {
  if (find.empty() || find.size() > text.size()) return std::wstring(text);
  std::wstring pattern(find);
  for (wchar_t& c : pattern) c = fold(c);
  // fallback[k]: the length of the longest proper border of pattern[0..k].
  std::vector<size_t> fallback(pattern.size(), 0);
  for (size_t k = 1, border = 0; k < pattern.size(); ++k) {
    while (border > 0 && pattern[k] != pattern[border]) border = fallback[border - 1];
    if (pattern[k] == pattern[border]) ++border;
    fallback[k] = border;
  }
  std::wstring result;
  size_t copied = 0;  // text before this has been written to result
  size_t matched = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = fold(text[i]);
    while (matched > 0 && c != pattern[matched]) matched = fallback[matched - 1];
    if (c == pattern[matched]) ++matched;
    if (matched == pattern.size()) {
      const size_t start = i + 1 - pattern.size();
      if (copied == 0 && result.empty()) result.reserve(text.size());
      result.append(text, copied, start - copied);
      result.append(replacement);
      copied = i + 1;
      matched = 0;  // no overlapping occurrences
    }
  }
  if (copied == 0) return std::wstring(text);
  result.append(text, copied, std::wstring_view::npos);
  return result;
}

}  // namespace

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view find, std::wstring_view replacement) {
  return ReplaceFolded(text, find, replacement, [](wchar_t c) { return c; });
}

std::wstring ReplaceAllIgnoringCase(std::wstring_view text, std::wstring_view find,
                                    std::wstring_view replacement) {
  return ReplaceFolded(text, find, replacement, LowerChar);
}

}  // namespace mowik
