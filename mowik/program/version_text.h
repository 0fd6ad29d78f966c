#pragma once
#include <string>

namespace mowik {

// The program's version. Compact: «1.0.378». Otherwise the About box form « 1.00.0378»: a
// leading blank to part it from the program name, two-digit minor, four-digit revision.
std::wstring VersionText(bool compact);

// The same for given numbers.
std::wstring FormatVersion(int major, int minor, int revision, bool compact);

}  // namespace mowik
