#pragma once
// A small made-up voice for the tests and fuzzers that must not depend on the generated pl1:
// symbols _ a o m s t, 16000 Hz, a flat 125 Hz pulse train with resonances for the voiced
// phones, noise for s, a closure and a burst for t.

#include <cstdint>
#include <string>
#include <vector>

#include "varelo/engine.h"
#include "varelo/voice_database.h"

namespace mowik::testing {

// takes: 1, or 2 for a second, faster take of every pair (phones half as long, at half the
// loudness, so a test can hear which take was spoken).
VoiceDatabase MakeTestVoice(int takes = 1);

// Writes the test voice to a file of this process under the system's temporary folder (name
// and the process id); returns its path.
std::string WriteTestVoice(const std::string& name, int takes = 1);
// The same for any bytes as a voice file.
std::string WriteVoiceBytes(const std::string& name, const std::vector<uint8_t>& bytes);

// Speaks phoneme text the way a player does (each line written, drained when the engine is
// full, flushed at the end). Returns the samples; error receives the first negative read.
std::vector<int16_t> Speak(Engine& engine, const std::string& text, int* error = nullptr);

}  // namespace mowik::testing
