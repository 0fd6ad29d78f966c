#pragma once
// mowik-say's options for speaking: the voice profile, the database and the output file.

#include <cstdint>
#include <string>
#include <vector>

#include "mowik/program/voice_profile.h"
#include "vrlplay/vrlplay.h"  // the output bits of the player's flag word

namespace mowik {

struct SpeechOptions {
  VoiceProfile profile;           // --pitch, --duration, --freq: whole numbers within kProfileLimits
  std::wstring database = L"pl1"; // --db
  std::string out_file;           // -o, UTF-8; empty: the sound device; "-": standard output
  std::string type;               // --type wav|au|raw: the file type when the name gives none
  bool alaw = false;              // --alaw: 8-bit A-law WAV at half rate
  bool mulaw = false;             // --mulaw
  std::string device;             // --device: the ALSA device to play on (native Linux builds)
};

// If args[i] is one of the speech options, takes it (and its value, advancing i) into options
// and returns true; a bad or missing value sets error. Returns false for any other argument.
// The file name -o takes for standard output.
inline constexpr char kStandardOutput[] = "-";

bool TakeSpeechOption(const std::vector<std::string>& args, size_t& i, SpeechOptions& options,
                      std::string& error);

// The player's output bits for options.out_file, chosen by its extension (.wav, .au, .raw;
// any case) or, for a name without one of them and for "-" (standard output), by --type
// (standard output is WAV without it), and the A-law/mu-law choice; 0 for the sound device.
// Sets error for a name whose type cannot be told, an extension that --type contradicts,
// --type without -o, --device with -o, or A-law/mu-law with anything but WAV.
int32_t FileOutputFlags(const SpeechOptions& options, std::string& error);

}  // namespace mowik
