#include "varelo/generator/espeak_speaker.h"

#include <espeak-ng/speak_lib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace mowik {
namespace {

namespace fs = std::filesystem;

Recording* g_target = nullptr;  // eSpeak's callback has no user pointer for audio

int Collect(short* wav, int count, espeak_EVENT* events) {
  if (!g_target) return 0;
  if (wav && count > 0) g_target->samples.insert(g_target->samples.end(), wav, wav + count);
  for (; events && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
    if (events->type != espeakEVENT_PHONEME) continue;
    char name[9] = {};
    std::memcpy(name, events->id.string, 8);
    g_target->phones.push_back({name, events->sample});
  }
  return 0;
}

// Flat pitch (no flutter), no roughness, no voicing assimilation of its own.
constexpr char kVariant[] =
    "language variant\n"
    "name mowik\n"
    "flutter 0\n"
    "roughness 0\n"
    "l_regressive_v 0\n";

}  // namespace

EspeakSpeaker::EspeakSpeaker(const std::string& systemData, const std::string& dataDir,
                             int pitch) {
  const fs::path from(systemData), to(dataDir);
  fs::create_directories(to / "voices" / "!v");
  fs::create_directories(to / "lang" / "zlw");
  for (const char* file : {"phondata", "phonindex", "phontab", "intonations", "pl_dict"})
    fs::copy_file(from / file, to / file, fs::copy_options::overwrite_existing);
  fs::copy_file(from / "lang" / "zlw" / "pl", to / "lang" / "zlw" / "pl",
                fs::copy_options::overwrite_existing);
  std::ofstream(to / "voices" / "!v" / "mowik") << kVariant;

  rate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, dataDir.c_str(),
                            espeakINITIALIZE_PHONEME_EVENTS);
  if (rate_ <= 0) throw std::runtime_error("eSpeak NG cannot be initialised from " + dataDir);
  espeak_SetSynthCallback(Collect);
  if (espeak_SetVoiceByName("pl+mowik") != EE_OK)
    throw std::runtime_error("eSpeak NG has no Polish voice in " + dataDir);
  espeak_SetParameter(espeakRATE, espeakRATE_MINIMUM, 0);
  espeak_SetParameter(espeakPITCH, pitch, 0);
  espeak_SetParameter(espeakRANGE, 0, 0);
  const char* path = nullptr;
  version_ = espeak_Info(&path);
}

EspeakSpeaker::~EspeakSpeaker() { espeak_Terminate(); }

void EspeakSpeaker::SetWordsPerMinute(int wpm) { espeak_SetParameter(espeakRATE, wpm, 0); }

Recording EspeakSpeaker::Speak(const std::string& phonemeInput) {
  Recording r;
  g_target = &r;
  espeak_Synth(phonemeInput.c_str(), phonemeInput.size() + 1, 0, POS_CHARACTER, 0,
               espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
  espeak_Synchronize();
  g_target = nullptr;
  return r;
}

}  // namespace mowik
