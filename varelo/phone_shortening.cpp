#include "varelo/phone_shortening.h"

#include <algorithm>
#include <iterator>

namespace mowik {
namespace {

struct Row {
  std::string_view symbol;
  Shortening shape;
};

// Found with varelo-measure at three times Mowik's pace.
constexpr Shortening kVowel{0.15, 0.15, 0.6};
constexpr Shortening kFricative{0.4, 0.3, 0.3};

constexpr Row kRows[] = {
    {"a", kVowel},      {"e", kVowel},     {"o", kVowel},      {"u", kVowel},      {"i", kVowel},
    {"I", kVowel},      {"e~", kVowel},    {"o~", kVowel},     {"f", kFricative},  {"v", kFricative},
    {"s", kFricative},  {"z", kFricative}, {"S", kFricative},  {"Z", kFricative},  {"s'", kFricative},
    {"z'", kFricative}, {"x", kFricative},
};

}  // namespace

Shortening ShorteningOf(std::string_view symbol) {
  const auto row = std::find_if(std::begin(kRows), std::end(kRows), [&](const Row& r) { return symbol == r.symbol; });
  return row == std::end(kRows) ? Shortening{} : row->shape;
}

ShortenedParts Shorten(const Shortening& shape, double leftRecorded, double rightRecorded, double length) {
  leftRecorded = std::max(0.0, leftRecorded);
  rightRecorded = std::max(0.0, rightRecorded);
  length = std::max(0.0, length);
  const double recorded = leftRecorded + rightRecorded;
  if (recorded <= 0) return {0, length / 2, length - length / 2, 0};
  const double inEdge = leftRecorded * std::clamp(shape.inEdge, 0.0, 1.0);
  const double outEdge = rightRecorded * std::clamp(shape.outEdge, 0.0, 1.0);
  const double leftSteady = leftRecorded - inEdge, rightSteady = rightRecorded - outEdge;
  const double edges = inEdge + outEdge, steady = leftSteady + rightSteady;
  const double floor = steady * std::clamp(shape.steadyFloor, 0.0, 1.0);
  double steadyOut, edgesOut;
  if (length >= recorded) {  // lengthened: evenly
    steadyOut = steady * length / recorded;
  } else if (length >= edges + floor) {  // the steady part gives up the time
    steadyOut = length - edges;
  } else {  // the steady part at its floor: everything evenly from there
    steadyOut = edges + floor > 0 ? floor * length / (edges + floor) : 0.0;
  }
  edgesOut = length - steadyOut;
  ShortenedParts p;
  p.inEdge = edges > 0 ? edgesOut * inEdge / edges : 0.0;
  p.outEdge = edgesOut - p.inEdge;
  p.leftSteady = steady > 0 ? steadyOut * leftSteady / steady : 0.0;
  p.rightSteady = steadyOut - p.leftSteady;
  // Rounding may leave a part a hair below zero; the output length is what must hold.
  p.inEdge = std::max(0.0, p.inEdge), p.outEdge = std::max(0.0, p.outEdge);
  p.leftSteady = std::max(0.0, p.leftSteady), p.rightSteady = std::max(0.0, p.rightSteady);
  return p;
}

}  // namespace mowik
