#pragma once
// speech-dispatcher's output-module protocol, the module's side, without any input or output
// of its own: the server's lines in, whole commands out, and the exact text of every reply
// and event the module writes back. Lines end in LF; text is UTF-8 and passed on as bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mowik::speechd {

enum class CommandKind {
  kInit,        // INIT: load the voice, answer 299 or 399
  kSpeak,       // SPEAK: SSML text
  kChar,        // CHAR: one character ("space" for a blank)
  kKey,         // KEY: a key name ("a", "shift_a", "control", "space", ...)
  kSoundIcon,   // SOUND_ICON: an icon's name
  kStop,        // STOP: no reply; the speaking ends with 703 STOP (or 702 END)
  kPause,       // PAUSE: no reply; the speaking ends at the next __spd_ mark with 704 PAUSE
  kListVoices,  // LIST VOICES
  kSet,         // SET: name=value lines
  kAudio,       // AUDIO: name=value lines (audio_output_method=server)
  kLogLevel,    // LOGLEVEL: name=value lines (log_level=N)
  kDebug,       // DEBUG ON FILE | DEBUG OFF: the words after DEBUG in text
  kQuit,        // QUIT
  kUnknown,     // anything else: answered 300
};

struct Command {
  CommandKind kind = CommandKind::kUnknown;
  std::string text;  // the message of SPEAK, CHAR, KEY, SOUND_ICON (dots unescaped, no final LF)
  std::vector<std::pair<std::string, std::string>> params;  // SET, AUDIO, LOGLEVEL, in order
  size_t lines = 0;        // lines of the message
  bool malformed = false;  // a parameter line without "=", or a message past the size limit
};

// The most bytes a message may hold: far more than any screen or book chapter, and a bound
// on the memory a runaway server could make the module take. The rest of a longer message
// is read and dropped; the command comes out malformed.
inline constexpr size_t kMaxMessageBytes = 16u << 20;

// Takes the server's lines one at a time, in order.
class CommandReader {
 public:
  struct Step {
    std::string reply;               // to write at once (the 202/207 of a block command), or empty
    std::optional<Command> command;  // a command complete with this line
  };
  // line: without its LF (a CR before it is kept: the protocol ends lines in LF only).
  Step Take(std::string_view line);
  // True while inside a block (message text or parameter lines).
  bool InBlock() const { return block_.has_value(); }

 private:
  std::optional<Command> block_;
  size_t bytes_ = 0;
  bool firstLine_ = true;
};

// --- what the module writes: each text is complete, lines ended with LF ---

// 299 with the status line after INIT succeeded; 399 with the reason when it failed.
std::string InitReply(bool loaded, std::string_view status);
// The reply to a finished command (STOP and PAUSE have none, INIT and LIST VOICES their own).
// ok: for the message commands, whether the module took the message (a malformed or empty
// one never is; CHAR, KEY and SOUND_ICON of more than one line get 305); for SET, AUDIO,
// LOGLEVEL and DEBUG, whether every value was understood.
std::string CommandReply(const Command& command, bool ok);
// The reply to LIST VOICES: name, language and variant of each voice.
struct VoiceEntry {
  std::string name, language, variant;
};
std::string VoiceListReply(const std::vector<VoiceEntry>& voices);

std::string BeginEvent();
std::string EndEvent();
std::string StopEvent();
std::string PauseEvent();
// A mark's name goes on one line: line feeds in it (which SSML allows) become blanks.
std::string IndexMarkEvent(std::string_view name);
std::string SoundIconEvent(std::string_view name);
// 16-bit mono little-endian samples at rate for the server to play: the 705 block, the
// samples escaped so that no LF byte appears among them (LF and 0x7D become 0x7D, byte ^ 0x20).
std::string AudioEvent(const int16_t* samples, size_t count, int rate);

// The inverse of AudioEvent's escaping, for tests and tools: false on a dangling escape.
bool UnescapeAudio(std::string_view escaped, std::string& bytes);

}  // namespace mowik::speechd
