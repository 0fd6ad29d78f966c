#include "mowik/verbalise/corpus/natural_corpus.h"

#include <algorithm>

#include "mowik/verbalise/corpus/corpus_files.h"

namespace mowik {
namespace {

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
  std::vector<std::wstring_view> parts;
  while (true) {
    const size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::wstring_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::vector<CorpusEntry> Parse() {
  std::vector<CorpusEntry> entries;
  for (const CorpusFile& file : kCorpusFiles) {
    int number = 0;
    for (std::wstring_view line : Split(file.text, L'\n')) {
      ++number;
      if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
      if (line.empty() || line.front() == L'#') continue;
      CorpusEntry entry;
      entry.group = file.name;
      entry.line = number;
      entry.knownMiss = line.front() == L'!';
      if (entry.knownMiss) line.remove_prefix(1);
      const std::vector<std::wstring_view> fields = Split(line, L'\t');
      entry.input = fields.front();
      for (size_t k = 1; k < fields.size(); ++k) entry.readings.emplace_back(fields[k]);
      entries.push_back(std::move(entry));
    }
  }
  return entries;
}

}  // namespace

const std::vector<CorpusEntry>& NaturalCorpus() {
  static const std::vector<CorpusEntry> entries = Parse();
  return entries;
}

bool IsRightReading(const CorpusEntry& entry, std::wstring_view reading) {
  return std::find(entry.readings.begin(), entry.readings.end(), reading) != entry.readings.end();
}

}  // namespace mowik
