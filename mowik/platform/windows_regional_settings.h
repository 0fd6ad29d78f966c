#pragma once
// The Windows build's regional settings, read from a locale (Windows only).

#include <string>

#include "mowik/verbalise/regional_settings.h"

namespace mowik {

// The date order and month names of the named locale ("pl-PL"); the empty name stands for the
// user's default locale. A locale that cannot be read gives the fixed Polish profile.
RegionalSettings RegionalSettingsOfLocale(const std::wstring& localeName);

}  // namespace mowik
