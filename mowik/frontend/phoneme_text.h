#pragma once
// Phoneme text: one line per phoneme or pause, "<phoneme> <duration> 0 <pitch>", each line
// preceded by CR LF. This is the whole prosody model: 70 ms a phoneme, 80 ms more for the
// last phoneme before a closing mark, a 200 ms pause "_" for every mark, and a straight pitch
// line across each stretch between marks.

#include <cstdint>
#include <string>
#include <string_view>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/program/random_between.h"

namespace mowik {

// Intonation modes of a piece.
constexpr int32_t kFalling = 1;
constexpr int32_t kRising = -1;
constexpr int32_t kStronglyFalling = 2;

// The base pitch every piece starts from, in hertz.
constexpr int16_t kBasePitch = 160;

struct PhonemeRecord {
  std::wstring_view phoneme;  // a SAMPA symbol, or "_" for silence
  int16_t pitch = 0;          // Hz, the single target at 0 % of the phoneme
  int16_t duration = 0;       // ms
};

// One line without its line break: «a 70 0 175». The phoneme is ASCII in practice; any other
// character is written as '?'.
std::string PhonemeLine(const PhonemeRecord& record);

// True when item occurs in the pause marks ".!?-,:();". The empty item is not a mark.
bool IsPause(std::wstring_view item);

// The phoneme text of one piece's list, which it then empties. In rising mode basePitch is
// replaced by a random 190 to 250 Hz and the pitch range drawn from 30 to 50 Hz (from random;
// the program's source when not given); the other modes keep basePitch and a range of 80 Hz.
// An empty list gives the empty text.
std::string BuildPhonemeText(ClsStackCollection& list, int32_t intonation, int16_t& basePitch);

// As BuildPhonemeText, appending to text instead of returning a new one.
void AppendPhonemeText(ClsStackCollection& list, int32_t intonation, int16_t& basePitch, std::string& text,
                       RandomSource& random = ProgramRandom());

}  // namespace mowik
