#pragma once
// The SSML of a SPEAK message as the module speaks it: text with the voice state in force,
// marks and breaks, in order. Tags are never text: an unknown element's tags are dropped and
// its content spoken, comments and processing instructions are dropped. Parsing has no side
// effects and is linear in the input; any bytes give a result (plain text is one segment).

#include <string>
#include <string_view>
#include <vector>

namespace mowik::speechd {

// Multipliers over the module's settings, from <prosody> (nested ones multiply).
struct Prosody {
  double speed = 1.0;   // rate: 2 speaks twice as fast
  double pitch = 1.0;
  double volume = 1.0;  // amplitude, 0..1
  bool operator==(const Prosody&) const = default;
};

enum class SegmentKind { kText, kMark, kBreak };

struct Segment {
  SegmentKind kind = SegmentKind::kText;
  std::string text;         // kText: UTF-8 with entities decoded; kMark: the mark's name
  bool characters = false;  // kText inside <say-as interpret-as="characters"> (or letters, spell-out)
  Prosody prosody;          // kText
  int breakMs = 0;          // kBreak: 0..10000
};

// Adjacent text of the same state is one segment; empty text gives none.
std::vector<Segment> ParseSsml(std::string_view ssml);

// Attribute values of <prosody> and <break>, as multipliers or milliseconds; fallback when
// the value is not understood. Exposed for the tests.
double ProsodySpeed(std::string_view value, double fallback);   // x-slow..x-fast, N%, +N%, N
double ProsodyPitch(std::string_view value, double fallback);   // x-low..x-high, +N%, +Nst
double ProsodyVolume(std::string_view value, double fallback);  // silent..x-loud, +NdB, +N%, N (0..100)
int BreakMs(std::string_view time, std::string_view strength);  // "500ms", "1.5s"; strength names

}  // namespace mowik::speechd
