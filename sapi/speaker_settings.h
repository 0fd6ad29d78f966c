#pragma once
// The user's Mowik settings for the SAPI voice: "mowiksets.conf" in the folder of the voice's
// DLL, when there is one. It gives the capital spelling choice, natural reading
// ("NaturalReading"), the replacement dictionary and the chosen voice profile's pitch and
// duration; without it, or without its key, the voice reads naturally (screen-reader users
// hear every number), and "NaturalReading" 0 gives the design's reading. The file is only
// read: a missing or empty file is left alone, never created.

#include <string>

#include "sapi/speak_job.h"

namespace mowik {

// Loads the settings file in folder into the program's globals and tables (the dictionary
// table) and returns what the voice uses. Call it once, before any speaking: the voice then
// only reads what it loaded.
// A file that cannot be read gives the defaults; a damaged one what it still holds.
SpeakerSettings LoadSpeakerSettings(const std::wstring& folder);

}  // namespace mowik
