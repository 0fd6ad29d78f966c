#pragma once
// The engine behind varelo.dll's exports, without any Windows type: one voice database, a
// stream of phoneme lines in, 16-bit samples out. Every call takes one lock, so the calls that
// come from other threads (rate, volume, no-error, version, information) are safe while one
// thread synthesizes.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "varelo/phoneme_line.h"
#include "varelo/synthesizer.h"
#include "varelo/voice_database.h"

namespace mowik {

// Codes of LastError; texts come with them.
constexpr int kEngineOk = 0;
constexpr int kEngineBadLine = -1;        // a phoneme line could not be taken
constexpr int kEngineNoVoice = -2;        // synthesis asked for with no database loaded
constexpr int kEngineVoiceRefused = -3;   // a database could not be loaded
constexpr int kEngineBadSymbolList = -4;  // a rename or clone list is malformed

// One read hands out at most this many samples; write and flush refuse input while this many
// wait to be read, so a caller that writes until refused hears the first block early.
constexpr int kBlockSamples = 4096;
// The version number getVersion hands back, and its text.
constexpr int kEngineVersion = 100;
constexpr char kEngineVersionText[] = "varelo 1.0 (voice format 1)";

// A replaceable line parser: sees every line before the engine does. It returns > 0 after
// writing a replacement line (NUL-terminated, at most size bytes) to out, 0 to keep the line
// as it is, < 0 to drop it.
using LineParser = std::function<int(const char* line, char* out, int size)>;

// A phone with pitch targets, built piece by piece and then queued as one phoneme line.
struct PhoneObject {
  std::string symbol;
  double durationMs = 0;
  std::vector<PitchTarget> targets;
};

class Engine {
 public:
  Engine();
  ~Engine();

  // Loads a voice database, replacing the current one. A path that does not exist as given is
  // also looked for in folder (normally the engine's own folder), by the path and then by the
  // file name alone. rename: "from to" pairs (blank, comma or line separated) giving a symbol a
  // new name instead of its old one; clone: "from to" pairs adding a name that shares the
  // diphones of an existing symbol; either may be null. 0 when loaded, a negative code else.
  int Init(const char* path, const char* rename, const char* clone, const std::string& folder);
  void Close();
  // Drops pending input and unread samples and clears a reported error, so the next line
  // starts a new utterance.
  void Reset();

  // Takes one or more LF-separated lines; 1 when taken, 0 when the input is full (read first).
  // A line that cannot be taken stops the utterance: the samples before it can still be read,
  // then Read reports the error until Reset.
  int Write(const char* text);
  // Ends the utterance: everything written becomes readable. 1, or 0 when the input is full.
  int Flush();
  // Up to min(capacity, 4096) samples (capacity < 1 means 4096): the count placed, 0 when none
  // are ready now, negative (the error code) after an error. type, when given, receives 1 when
  // the block holds sound and 0 when it is all silence.
  int Read(int16_t* samples, int capacity, int* type = nullptr);

  int LastError() const;
  std::string LastErrorText() const;
  // No-error mode: unknown phonemes become silence of their duration, bad values are clamped.
  void SetNoError(int on);
  int NoError() const;
  // Output sample rate (0 or less: the database's own); takes effect with the next utterance.
  void SetRate(int hz);
  int Rate() const;
  // Scales every sample handed out, with saturation; negative or non-finite values are ignored.
  void SetVolume(float ratio);
  float Volume() const;
  // Information text number index about the loaded voice: name, language, rate, symbols,
  // diphone count, source, how it was built. Copies it (cut to size - 1 bytes and
  // NUL-terminated) when out is given; returns the bytes it needs with its NUL, or 0 when there
  // is no such text.
  int DatabaseInfo(char* out, int size, int index) const;
  // Null restores the built-in parser.
  void SetParser(LineParser parser);
  // Queues a phone as Write queues its line.
  int WritePhone(const PhoneObject& phone);

  // For tests and tools: the synthesizer of the loaded voice, or null.
  Synthesizer* SynthesizerForTesting() { return synth_.get(); }

 private:
  void SetError(int code, std::string text);
  void TakeLine(std::string_view line);
  bool Full() const;
  bool ApplySymbolList(const char* list, bool rename);

  mutable std::recursive_mutex mutex_;
  std::shared_ptr<const VoiceDatabase> voice_;
  std::unique_ptr<Synthesizer> synth_;
  std::unordered_map<std::string, int> names_;
  LineParser parser_;
  int error_ = kEngineOk;
  std::string errorText_;
  bool stopped_ = false;  // an error stopped the utterance; Read reports it until Reset
  int line_ = 0;          // lines of the current utterance
  bool noError_ = false;
  int rate_ = 0;
  float volume_ = 1.0f;
  double pitchRatio_ = 1.0, durationRatio_ = 1.0;
};

// Formats a phone as the phoneme line Write understands (no line end).
std::string PhoneLine(const PhoneObject& phone);

}  // namespace mowik
