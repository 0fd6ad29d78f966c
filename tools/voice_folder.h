#pragma once
// Where the voice database lies for the native programs: beside the program in the build
// tree, or in share/mowik of the installation (/usr/bin/mowik-say, /usr/lib/speech-dispatcher-
// modules/sd_mowik and /usr/share/mowik/pl1 in the Debian package).

#include <string>

namespace mowik {

// The first of: the program's folder, <folder>/../share/mowik, <folder>/../../share/mowik,
// /usr/share/mowik that holds database (a file name); the program's folder when none does.
std::string VoiceFolder(const std::string& database);

}  // namespace mowik
