#include "tools/dictionary_file.h"

#include "tools/utf8_text.h"

namespace mowik {

std::optional<std::vector<DictionaryRow>> ParseDictionary(std::string_view bytes, std::string& error) {
  const std::string_view body = WithoutByteOrderMark(bytes);
  size_t bad = 0;
  const std::optional<std::wstring> text = DecodeUtf8(body, &bad);
  if (!text) {
    error = "not valid UTF-8 (bad byte at offset " + std::to_string(bad + (bytes.size() - body.size())) + ")";
    return std::nullopt;
  }
  std::vector<DictionaryRow> rows;
  size_t start = 0;
  for (int line = 1; start < text->size(); ++line) {
    size_t end = text->find(L'\n', start);
    if (end == std::wstring::npos) end = text->size();
    std::wstring_view row(text->data() + start, end - start);
    if (!row.empty() && row.back() == L'\r') row.remove_suffix(1);
    start = end + 1;
    if (row.empty()) continue;
    const size_t tab = row.find(L'\t');
    if (tab == std::wstring_view::npos) {
      error = "line " + std::to_string(line) + ": no tab between find and replace";
      return std::nullopt;
    }
    rows.push_back({std::wstring(row.substr(0, tab)), std::wstring(row.substr(tab + 1))});
  }
  return rows;
}

}  // namespace mowik
