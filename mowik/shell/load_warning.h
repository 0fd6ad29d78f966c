#pragma once
// What the user is told when the settings file could not be taken as stored.

#include <string>

#include "mowik/settings/manage_settings.h"

namespace mowik {

// The message for a load of the file at path; empty when there is nothing worth a word (the
// file was read or created, or it cannot be created in a read-only folder, which would
// otherwise be said at every start).
std::wstring SettingsLoadWarning(SettingsLoad load, const std::wstring& path);

}  // namespace mowik
