#pragma once
#include <string>
#include <string_view>

namespace mowik {

// The blank clean-up shared by normalisation, the pipeline and the transcription: every tab
// becomes a blank, every run of blanks becomes one, and leading and trailing blanks go.
// Carriage returns and line feeds stay. Any length.
std::wstring CollapseSpaces(std::wstring_view text);

}  // namespace mowik
