#pragma once
#include <string_view>

namespace mowik {

// The value (1..3999) of a Roman numeral written in capitals the usual way («XIV», «MCMXCV»),
// else 0 («IIII», «IC», «ABC»).
int RomanValue(std::wstring_view text);

}  // namespace mowik
