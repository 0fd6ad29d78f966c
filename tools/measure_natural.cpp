// Measures natural reading on its corpus: the share of sentences read exactly as the corpus
// says, by group and in all, and every sentence read otherwise. --design measures the
// design's reading on the same sentences instead. Figures only: the exit status is 0.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "mowik/verbalise/corpus/natural_corpus.h"
#include "mowik/verbalise/normalise_text.h"
#include "tools/utf8_text.h"

namespace {

void Print(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stdout); }

}  // namespace

int main(int argc, char** argv) {
  using namespace mowik;
  NormaliseOptions options;
  options.natural = !(argc > 1 && std::strcmp(argv[1], "--design") == 0);
  std::map<std::wstring, std::pair<int, int>> groups;  // right, all
  std::string misses;
  int right = 0, all = 0;
  for (const CorpusEntry& entry : NaturalCorpus()) {
    std::wstring reading = entry.input;
    NormaliseText(reading, options);
    const bool ok = IsRightReading(entry, reading);
    auto& [groupRight, groupAll] = groups[entry.group];
    groupRight += ok;
    ++groupAll;
    right += ok;
    ++all;
    if (!ok)
      misses += EncodeUtf8(entry.group) + ":" + std::to_string(entry.line) + "  " + EncodeUtf8(entry.input) +
                "\n    read:     " + EncodeUtf8(reading) + "\n    expected: " + EncodeUtf8(entry.readings.front()) + "\n";
  }
  char figure[160];
  Print(options.natural ? "natural reading\n" : "design's reading\n");
  for (const auto& [group, counts] : groups) {
    std::snprintf(figure, sizeof figure, "  %-20s %3d of %3d\n", EncodeUtf8(group).c_str(), counts.first, counts.second);
    Print(figure);
  }
  std::snprintf(figure, sizeof figure, "read exactly: %d of %d sentences (%.1f%%)\n", right, all,
                all == 0 ? 0.0 : 100.0 * right / all);
  Print(figure);
  if (!misses.empty()) Print("missed:\n" + misses);
  return 0;
}
