#pragma once
// The control panel's command line: the owner window handle as a decimal number.

#include <cstdint>
#include <string_view>

namespace mowik {

// The handle from a command line that is just the number (as the player starts the panel) or
// whose last word is the number (as a person would type "VrlCpl.exe 1234"); 0 when there is
// none. Quotes around the program name and surrounding blanks are allowed.
uintptr_t OwnerFromCommandLine(std::wstring_view commandLine);

}  // namespace mowik
