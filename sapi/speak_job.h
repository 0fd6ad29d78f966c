#pragma once
// What ISpTTSEngine::Speak does, without COM: the fragments of the caller's text are cut into
// sentences, each sentence is planned, synthesised and written with its events, and the
// caller's requests (abort, skip, rate, volume) are looked at between blocks. The COM glue
// turns SPVTEXTFRAG into Fragment and ISpTTSEngineSite into SpeechSite.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mowik/program/random_between.h"
#include "mowik/program/table_model.h"
#include "sapi/sentence_voice.h"

namespace mowik {

// SPVACTIONS, in SAPI's numbering.
enum class FragmentAction { kSpeak = 0, kSilence, kPronounce, kBookmark, kSpellOut, kSection, kParseUnknownTag };

// One text fragment and the voice state its XML tags set.
struct Fragment {
  FragmentAction action = FragmentAction::kSpeak;
  std::wstring_view text;   // a bookmark's name for kBookmark
  size_t sourceOffset = 0;  // where text starts in the caller's text
  long rateAdjust = 0;      // <rate>, added to the caller's rate
  unsigned volume = 100;    // <volume>, 0..100
  long pitchMiddle = 0;     // <pitch middle>, -10..10
  unsigned silenceMs = 0;   // <silence msec>
};

enum class EventKind { kSentence, kWord, kBookmark };

// An event for the caller, placed in the audio written during this Speak (bytes from its
// start). Sentences and words give their place in the caller's text; a bookmark its name and
// the number it starts with (0 when none), as SAPI reports them.
struct VoiceEvent {
  EventKind kind = EventKind::kWord;
  uint64_t byteOffset = 0;
  size_t sourceOffset = 0;
  size_t length = 0;
  std::wstring bookmark;
  long bookmarkValue = 0;
};

// SPVESACTIONS bits.
inline constexpr unsigned kActionAbort = 1;
inline constexpr unsigned kActionSkip = 2;
inline constexpr unsigned kActionRate = 4;
inline constexpr unsigned kActionVolume = 8;

// The caller's side of a Speak.
class SpeechSite {
 public:
  virtual ~SpeechSite() = default;
  // The requests pending (kAction* bits); reading them does not clear them.
  virtual unsigned Actions() = 0;
  // Hands over 16-bit samples; false when the caller refuses them (Speak then ends).
  virtual bool Write(const int16_t* samples, size_t count) = 0;
  virtual void AddEvents(const std::vector<VoiceEvent>& events) = 0;
  virtual long Rate() = 0;          // -10..10
  virtual unsigned Volume() = 0;    // 0..100
  // The sentences to skip (0 = the current one again, negative = back); false when the
  // request is not in sentences, which the voice then skips nothing for.
  virtual bool SkipRequest(long& sentences) = 0;
  virtual void CompleteSkip(long skipped) = 0;
};

// The user's choices that hold for every Speak: from the voice profile and the settings.
struct SpeakerSettings {
  bool spellCapital = true;
  bool natural = false;  // NaturalReading
  double pitchRatio = 1.0;
  double durationRatio = 1.0;
  const TableModel* dictionary = nullptr;
  // The voice object's own draws for the rising intonation; the program's source when null.
  RandomSource* random = nullptr;
};

// Samples written per Write: the caller's requests are looked at before each, so an abort
// is answered within this many samples (a quarter of a second).
inline constexpr size_t kWriteBlockSamples = 4096;

enum class SpeakOutcome { kDone, kAborted, kFailed };

struct SpeakResult {
  SpeakOutcome outcome = SpeakOutcome::kDone;
  std::string error;           // for kFailed
  uint64_t bytesWritten = 0;
};

// Speaks the fragments in order. Silence fragments write silence, bookmarks add their event
// where they stand, section and unknown-tag fragments are passed over, the others are spoken.
// Each sentence is written as soon as it is synthesised, after its sentence and word events.
// A rate change applies from the next sentence, a volume change from the next block.
SpeakResult SpeakFragments(const std::vector<Fragment>& fragments, SentenceVoice& voice,
                           const SpeakerSettings& settings, SpeechSite& site);

// A bookmark's number: the decimal number its name starts with (after blanks), else 0.
long BookmarkValue(std::wstring_view name);

}  // namespace mowik
