#pragma once
// How a stop or affricate shares a change of its duration between its closure and what
// follows its burst (frication, aspiration). The speaker (eSpeak NG) slowing down from its
// own pace lengthens what follows a burst by only 70 % of the phone's change and the closure
// by the rest, and speeding up to about 1.5 times shortens both alike; at the two and three
// times faster reading of screen-reader users it compresses everything evenly. So for a
// voiceless stop or affricate the stiffness of what follows the burst fades out as the
// utterance's pace (Synthesizer::PaceWith) falls from kStiffPace to kEvenPace. A voiced one,
// whose closure is its voice bar, keeps the stiffness at every pace.

#include <string_view>

namespace mowik {

constexpr double kAfterBurstStiffness = 0.3;
constexpr double kStiffPace = 0.6;  // about 1.3 times Mowik's own pace
constexpr double kEvenPace = 0.45;  // about 1.8 times

// Whether the symbol is a voiceless stop or affricate (pl1's inventory).
bool IsVoicelessRelease(std::string_view symbol);

// The output length of what follows the burst, for a phone whose closure and after-burst
// parts were recorded afterRecorded samples long and must take ratio times their recorded
// length in all, at the utterance's pace.
double AfterBurstLength(double afterRecorded, double ratio, double pace, bool voiceless);

}  // namespace mowik
