#pragma once
// The corpus of natural reading: everyday Polish sentences with the readings a careful
// speaker gives them, grouped by rule (one file per group, built into the program).

#include <string>
#include <string_view>
#include <vector>

namespace mowik {

struct CorpusEntry {
  std::wstring group;                  // the file's name without its ending: «03_dates»
  int line = 0;                        // 1-based, in that file
  std::wstring input;
  std::vector<std::wstring> readings;  // every right reading, the first one the usual
  bool knownMiss = false;              // natural reading does not give it yet
};

// Every entry of every group, in the order of the files and their lines. Lines starting with
// "#" and empty lines are not entries.
const std::vector<CorpusEntry>& NaturalCorpus();

// True when reading is one of the entry's readings.
bool IsRightReading(const CorpusEntry& entry, std::wstring_view reading);

}  // namespace mowik
