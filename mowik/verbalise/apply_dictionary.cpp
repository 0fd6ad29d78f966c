#include "mowik/verbalise/apply_dictionary.h"

#include "mowik/program/table_model.h"
#include "mowik/verbalise/polish_case.h"
#include "mowik/verbalise/replace_all.h"

namespace mowik {

void ApplyDictionary(std::wstring& text, const TableModel& table) {
  for (int32_t row = 1; row <= table.Rows(); ++row) {
    const std::wstring& find = table.CellText(row, 1);
    if (find.empty()) continue;
    // Lowercased as it goes in: the transcription reads only lowercase letters.
    ReplaceAllIgnoringCase(text, find, LowerText(table.CellText(row, 2)));
  }
}

}  // namespace mowik
