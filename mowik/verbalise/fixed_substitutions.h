#pragma once
// The last step of the normalisation: symbols, web addresses and abbreviations.

#include <string>

namespace mowik {

// Applies the fixed rows in their order, each replacing every exact occurrence; the rows are
// written for lowercased text, and several start with a blank, so they do not apply at the
// very start of the text («np. to» keeps «np.»).
void ApplyFixedSubstitutions(std::wstring& text);

}  // namespace mowik
