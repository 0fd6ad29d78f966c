#include "mowik/verbalise/natural/natural_normalise.h"

#include "mowik/verbalise/apply_dictionary.h"
#include "mowik/verbalise/collapse_spaces.h"
#include "mowik/verbalise/natural/reader.h"
#include "mowik/verbalise/polish_case.h"

namespace mowik {

void NormaliseNaturally(std::wstring& text, const NormaliseOptions& options) {
  if (options.dictionary) ApplyDictionary(text, *options.dictionary);
  text = CollapseSpaces(LowerText(NaturalReader(text).Read()));
  if (!text.empty() && std::wstring_view(L".?!;").find(text.back()) == std::wstring_view::npos) text += L'.';
}

}  // namespace mowik
