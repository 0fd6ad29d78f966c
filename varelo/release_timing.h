#pragma once
// How a stop or affricate shares a change of its duration between its closure and what
// follows its burst (frication, aspiration). The speaker (eSpeak NG) slowing down from its
// own pace lengthens what follows a burst by only 70 % of the phone's change and the closure
// by the rest, and speeding up to about 1.5 times shortens both alike; at the two and three
// times faster reading of screen-reader users it compresses everything evenly, all but the
// burst itself. So as the utterance's pace (Synthesizer::PaceWith) falls from kStiffPace to
// kEvenPace the stiffness of what follows the burst of a voiceless stop or affricate fades to
// none (a voiced one, whose closure is its voice bar, keeps it at every pace), and from there
// to kBurstOnlyPace the 12 ms after any burst that are copied as recorded fade to the burst's
// first 6 ms.

#include <string_view>

namespace mowik {

constexpr double kAfterBurstStiffness = 0.3;
constexpr double kTransientMs = 12;      // copied as recorded at Mowik's pace
constexpr double kBurstOnlyMs = 6;       // and at screen-reader paces
constexpr double kStiffPace = 0.6;      // about 1.3 times Mowik's own pace
constexpr double kEvenPace = 0.45;      // about 1.8 times
constexpr double kBurstOnlyPace = 0.3;  // about 2.7 times

// Whether the symbol is a voiceless stop or affricate (pl1's inventory).
bool IsVoicelessRelease(std::string_view symbol);

// 1 at kStiffPace and slower, 0 at kEvenPace and faster, in proportion between.
double PaceFade(double pace);

// The output length of what follows the burst, for a phone whose closure and after-burst
// parts were recorded afterRecorded samples long and must take ratio times their recorded
// length in all, with stiffness 1 as at Mowik's pace and 0 evenly (PaceFade for a voiceless
// release, 1 for a voiced one). Lengthening (ratio above 1) is always stiff.
double AfterBurstLength(double afterRecorded, double ratio, double stiffness);

// How much after a burst is copied as recorded at the utterance's pace, in milliseconds.
double CopiedTransientMs(double pace);

}  // namespace mowik
