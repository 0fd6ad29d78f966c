#pragma once
// One message through Mowik: the segments of its SSML (or the words of a character or key)
// sentence by sentence through the front end and the engine, each sentence's samples handed
// on as soon as it is synthesised, its marks placed among them at the words they stand
// before. The caller's requests (stop, pause) are looked at between blocks.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/verbalise/normalise_text.h"
#include "sapi/sentence_voice.h"
#include "sapi/speak_job.h"
#include "speechd/ssml_text.h"
#include "speechd/voice_settings.h"

namespace mowik::speechd {

// Where the speaking goes: the module turns these into 705, 700 and 706 events.
class SpeechOutput {
 public:
  virtual ~SpeechOutput() = default;
  virtual void Audio(const int16_t* samples, size_t count) = 0;
  virtual void Mark(const std::string& name) = 0;
  virtual void Icon(const std::string& name) = 0;
  // Each sentence as it is spoken: its text and its phoneme text (the module's log).
  virtual void Sentence(std::wstring_view /*text*/, const std::string& /*phonemes*/) {}
};

enum class SpeakRequest { kNone, kStop, kPause };
enum class MessageEnd { kEnd, kStopped, kPaused, kFailed };

// What a message is spoken with: the server's settings at SPEAK time, the user's Mowik
// settings, and whether the normaliser reads naturally.
struct MessageVoice {
  VoiceSettings settings;
  SpeakerSettings user;
  bool naturalReading = true;
};

// Samples per audio event: a stop is heard within this many (an eighth of a second).
inline constexpr size_t kAudioBlockSamples = 2048;

// The options the normaliser gets for every sentence of a message.
NormaliseOptions MessageNormaliseOptions(const MessageVoice& voice);

// Speaks the segments. A pause request ends the message right after the next mark whose name
// starts with "__spd_" (the server's own, where it can resume), a stop request before the
// next block. Text segments are spelled when they say so or the settings' spelling mode is on.
// kFailed comes with error set (the voice failed); the audio before the failure was handed on.
MessageEnd SpeakSegments(const std::vector<Segment>& segments, const MessageVoice& voice, SentenceVoice& engine,
                         SpeechOutput& output, const std::function<SpeakRequest()>& request, std::string& error);

// UTF-8 to text, never failing: a byte that is not part of a valid sequence becomes U+FFFD,
// so that a damaged byte costs one character, not the message.
std::wstring TextOfUtf8(std::string_view bytes);

}  // namespace mowik::speechd
