#pragma once
// How a vowel or fricative gives up time at the fastest paces (three times Mowik's own). A
// phone's recording runs from the transition out of the phone before (its in-edge, at the
// start of the left diphone's half) through its steady part (where its two diphones meet) to
// the transition into the next phone (its out-edge, at the end of the right diphone's half).
// There the speaker keeps a vowel's formant transitions and a fricative's onset, so the phone
// gives up its steady part first, down to a floor, and only then everything evenly. Slower,
// and for every other phone (the sonorants and nasals came out closer to the speaker shortened
// evenly, by varelo-measure), a phone is shortened evenly; stops and affricates are shaped
// around their burst (release_timing.h).

#include <string_view>

namespace mowik {

constexpr double kSteadyFirstPace = 0.34;  // about 2.6 times Mowik's pace (Synthesizer::PaceWith)

struct Shortening {
  double inEdge = 0;       // share of the left half that is transition, kept whole
  double outEdge = 0;      // share of the right half that is transition, kept whole
  double steadyFloor = 1;  // share of the steady part that stays (1: shortened evenly)
};

// By the voice's symbol (pl1's inventory); even shortening for any other.
Shortening ShorteningOf(std::string_view symbol);

// Output lengths of a phone's four parts, in order, for a phone whose halves were recorded
// leftRecorded and rightRecorded samples long and must now take length samples. They add up
// to length; none is negative. Lengthening is even.
struct ShortenedParts {
  double inEdge, leftSteady, rightSteady, outEdge;
};
ShortenedParts Shorten(const Shortening& shape, double leftRecorded, double rightRecorded, double length);

}  // namespace mowik
