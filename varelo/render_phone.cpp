// One phone of the utterance into the overlap-add buffer: the two diphones its halves come
// from, where their recordings lie along the phone's output time, and the grains taken from
// them one pitch period (or one recorded spacing) apart.
#include <algorithm>
#include <cmath>

#include "varelo/phone_shortening.h"
#include "varelo/release_timing.h"
#include "varelo/synthesizer.h"

namespace mowik {
namespace {

// Index of the mark of d nearest to the source position s.
uint32_t NearestMark(const VoiceDatabase& v, const Diphone& d, double s) {
  uint32_t lo = 0, hi = d.markCount;  // first mark at or after s lies in [lo, hi]
  while (lo < hi) {
    const uint32_t m = (lo + hi) / 2;
    if (d.Mark(v.marks, m) < s) lo = m + 1;
    else hi = m;
  }
  if (lo == d.markCount) return lo - 1;
  if (lo > 0 && s - d.Mark(v.marks, lo - 1) < d.Mark(v.marks, lo) - s) return lo - 1;
  return lo;
}

// Loudness of d's recording within a period or so of position at.
double LevelAround(const VoiceDatabase& v, const Diphone& d, uint32_t at) {
  constexpr uint32_t kReach = 128;
  const uint32_t from = at > kReach ? at - kReach : 0;
  const uint32_t to = std::min(d.sampleCount, at + kReach);
  double sum = 0;
  for (uint32_t i = from; i < to; ++i) {
    const double x = v.Samples()[d.firstSample + i];
    sum += x * x;
  }
  return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

// A stop's burst and the first milliseconds of frication after it are a transient: copied once,
// grain by grain at their recorded spacing, never repeated or skipped (CopiedTransientMs). The
// closure before them takes what the phone's duration leaves, but keeps at least this share of
// it when it can.
constexpr double kMinClosureShare = 0.2;

// The grain around the mark of d nearest to a source position: its mark, the spacing of the
// marks there, and how far its window reaches before and after the mark (each at most
// maxHalf, and within the recording).
struct Grain {
  uint32_t mark;
  double spacing;
  uint32_t reachBefore, reachAfter;
  bool voicedMark;
};

Grain GrainAt(const VoiceDatabase& v, const Diphone& d, double source, uint32_t maxHalf) {
  const uint32_t j = NearestMark(v, d, source);
  const uint32_t c = d.Mark(v.marks, j);
  const uint32_t before = j > 0 ? c - d.Mark(v.marks, j - 1) : 0;
  const uint32_t after = j + 1 < d.markCount ? d.Mark(v.marks, j + 1) - c : 0;
  Grain grain;
  grain.mark = c;
  grain.spacing = std::max<double>(8.0, before && after ? (before + after) / 2.0 : std::max(before, after));
  grain.reachBefore = std::min<uint32_t>({before ? before : after, c, maxHalf});
  grain.reachAfter = std::min<uint32_t>({after ? after : before, d.sampleCount - 1 - c, maxHalf});
  grain.voicedMark = (v.marks[d.firstMark + j] & kMarkVoiced) != 0;
  return grain;
}

}  // namespace

// A piecewise-linear map from output time to source position within one half of a phone.
struct Synthesizer::HalfMap {
  double a[4], s[4];  // knots: output times (increasing) and source positions
  int n = 0;
  void Add(double at, double source) {
    a[n] = at;
    s[n] = source;
    ++n;
  }
  double operator()(double t) const {
    int k = 0;
    while (k + 2 < n && t >= a[k + 1]) ++k;
    return a[k + 1] > a[k] ? s[k] + (t - a[k]) * (s[k + 1] - s[k]) / (a[k + 1] - a[k]) : s[k];
  }
};

// A phone laid out in output time: from start to mid it is the left diphone's part of it,
// from mid to end the right one's.
struct Synthesizer::PhoneLayout {
  const Diphone* left = nullptr;   // null where the voice lacks the diphone: that half is silent
  const Diphone* right = nullptr;
  int symbol = 0;
  double pace = 1;  // PaceWith at this phone
  double start = 0, mid = 0, end = 0;
  HalfMap leftMap, rightMap;
  uint32_t burst = 0;       // where the right diphone's burst lies; 0 when it has none
  double transientEnd = 0;  // the end of the copied transient after the burst
  // Each half's gain at the join, towards the two recordings' common level.
  double leanLeft = 1, leanRight = 1;
};

void Synthesizer::RenderPhone(const Pending& phone, const Pending* following) {
  Grow(phone.end + MaxHalf());
  if (phone.symbol == voice_->SilenceIndex()) {
    nextMark_ = static_cast<double>(phone.end);
    previous_ = phone.symbol;
    carried_ = nullptr;
    MakeFinal(phone.end - MaxHalf());
    return;
  }
  PhoneLayout layout;
  layout.pace = PaceWith(phone);
  ChooseHalves(phone, following, layout);
  MapHalves(layout);
  LeanTowardsTheJoin(layout);
  nextMark_ = OverlapAdd(layout);
  previous_ = phone.symbol;
  MakeFinal(std::min<int64_t>(std::llround(nextMark_), phone.end) - MaxHalf());
}

void Synthesizer::ChooseHalves(const Pending& phone, const Pending* following, PhoneLayout& layout) {
  const int next = following ? following->symbol : voice_->SilenceIndex();
  const int64_t length = phone.end - phone.start;
  const int64_t nextLength = following ? following->end - following->start : 0;
  // Both halves of a diphone come from one take: the left one is the take chosen as the
  // previous phone's right one.
  layout.left = carried_ && carried_->left == previous_ && carried_->right == phone.symbol
                    ? carried_
                    : ChooseTake(previous_, phone.symbol, length, length);
  layout.right = ChooseTake(phone.symbol, next, length, nextLength);
  carried_ = layout.right;
  layout.symbol = phone.symbol;
  layout.start = static_cast<double>(phone.start);
  layout.end = static_cast<double>(phone.end);
}

void Synthesizer::MapHalves(PhoneLayout& layout) {
  const Diphone* dl = layout.left;
  const Diphone* dr = layout.right;
  const double o0 = layout.start, o1 = layout.end;
  // The phone's two halves come from two diphones; each gets its share of the duration in
  // proportion to its recorded length, so a stop keeps its closure-to-burst balance.
  const double leftRecorded = dl ? dl->end - dl->boundary : 0.0;
  const double rightRecorded = dr ? dr->boundary - dr->start : 0.0;
  double mid = leftRecorded + rightRecorded > 0 ? o0 + (o1 - o0) * leftRecorded / (leftRecorded + rightRecorded)
                                                : (o0 + o1) / 2;
  // Each half maps output time to its recording linearly, unless the right half holds a burst
  // (a stop or an affricate): then the closure (both halves up to the burst) takes most of the
  // change of duration, the first milliseconds after the burst are copied as recorded, and the rest
  // after it (frication, aspiration) is evenly shortened or lengthened by its share.
  const uint32_t burst = dr ? BurstOf(*dr) : 0;
  const double stiffness = voicelessRelease_[static_cast<size_t>(layout.symbol)] ? PaceFade(layout.pace) : 1.0;
  const double transientEnd =
      burst ? std::min<double>(dr->boundary, burst + CopiedTransientMs(layout.pace) * uttRate_ / 1000) : 0;
  HalfMap& rightMap = layout.rightMap;
  if (burst) {
    const double length = o1 - o0;
    const double closure = leftRecorded + (burst - dr->start);
    const double after = dr->boundary - burst;
    // What follows the burst takes its share of the change (release_timing.h), the closure
    // the rest.
    const double ratio = closure + after > 0 ? length / (closure + after) : 1.0;
    const double afterOut = AfterBurstLength(after, ratio, stiffness);
    double closureOut = std::max(length - afterOut, std::min(closure, kMinClosureShare * length));
    closureOut = std::clamp(closureOut, 0.0, length);
    mid = o0 + (closure > 0 ? closureOut * leftRecorded / closure : 0.0);
    const double burstAt = o0 + closureOut;
    const double transientOut = std::min(transientEnd - burst, o1 - burstAt);
    rightMap.Add(mid, dr->start);
    rightMap.Add(burstAt, burst);
    rightMap.Add(burstAt + transientOut, burst + transientOut);
    rightMap.Add(o1, dr->boundary);
  } else if (layout.pace < kSteadyFirstPace && o1 - o0 < leftRecorded + rightRecorded) {
    // At the fastest paces a vowel or fricative gives up its steady middle first.
    const Shortening& shape = shortening_[static_cast<size_t>(layout.symbol)];
    const ShortenedParts p = Shorten(shape, leftRecorded, rightRecorded, o1 - o0);
    mid = o0 + p.inEdge + p.leftSteady;
    const double inEdge = leftRecorded * std::clamp(shape.inEdge, 0.0, 1.0);
    const double outEdge = rightRecorded * std::clamp(shape.outEdge, 0.0, 1.0);
    layout.leftMap.Add(o0, dl ? dl->boundary : 0.0);
    layout.leftMap.Add(o0 + p.inEdge, dl ? dl->boundary + inEdge : 0.0);
    layout.leftMap.Add(mid, dl ? dl->end : 0.0);
    rightMap.Add(mid, dr ? dr->start : 0.0);
    rightMap.Add(o1 - p.outEdge, dr ? dr->boundary - outEdge : 0.0);
    rightMap.Add(o1, dr ? dr->boundary : 0.0);
    layout.mid = mid;
    return;
  } else {
    rightMap.Add(mid, dr ? dr->start : 0.0);
    rightMap.Add(o1, dr ? dr->boundary : 0.0);
  }
  layout.leftMap.Add(o0, dl ? dl->boundary : 0.0);
  layout.leftMap.Add(mid, dl ? dl->end : 0.0);
  layout.mid = mid;
  layout.burst = burst;
  layout.transientEnd = transientEnd;
}

void Synthesizer::LeanTowardsTheJoin(PhoneLayout& layout) const {
  // The two recordings of this phone come from different words and may differ in loudness;
  // each half leans towards their common level at the join, so the hand-over is no step.
  if (!layout.left || !layout.right) return;
  const double l = LevelAround(*voice_, *layout.left, layout.left->end);
  const double r = LevelAround(*voice_, *layout.right, layout.right->start);
  if (l > 30 && r > 30) {
    layout.leanLeft = std::sqrt(std::clamp(r / l, 0.25, 4.0));
    layout.leanRight = 1 / layout.leanLeft;
  }
}

double Synthesizer::OverlapAdd(const PhoneLayout& layout) {
  const double o0 = layout.start, mid = layout.mid, o1 = layout.end;
  double t = std::max(nextMark_, o0);
  double lastLeft = -1;  // the mark of the last grain taken from the left diphone
  bool lastLeftVoiced = false;
  while (t < o1) {
    const bool left = t < mid;
    const Diphone* d = left ? layout.left : layout.right;
    const double period = uttRate_ / PitchAt(t);
    if (!d) {  // the voice lacks this diphone: its half stays silent
      t += period;
      continue;
    }
    const double a0 = left ? o0 : mid, a1 = left ? mid : o1;
    const double source = left ? layout.leftMap(t) : layout.rightMap(t);
    const Grain grain = GrainAt(*voice_, *d, source, MaxHalf());
    // The transient is copied: its grains keep their recorded spacing even where voiced.
    const bool transient =
        !left && layout.burst && grain.mark + grain.spacing / 2 >= layout.burst && grain.mark < layout.transientEnd;
    const bool voiced = !transient && grain.voicedMark;
    // The hand-over: halfway between the last grain of one diphone and the first of the next.
    if (!left && lastLeft >= 0) {
      if (recordJoins_ && layout.left)
        joins_.push_back({std::llround((lastLeft + t) / 2), std::llround(lastLeft), std::llround(t), voiced && lastLeftVoiced});
      lastLeft = -1;
    }
    // Voiced grains go one per requested period, scaled so that closer grains do not add up
    // to a louder voice; unvoiced ones keep their recorded spacing, which reconstructs noise.
    const double along = a1 > a0 ? (t - a0) / (a1 - a0) : 0.0;  // 0 to 1 through the half
    const double lean = left ? 1 + (layout.leanLeft - 1) * along : layout.leanRight + (1 - layout.leanRight) * along;
    const double gain = (voiced ? std::min(1.0, period / grain.spacing) : 1.0) * lean;
    AddGrain(*d, grain.mark, grain.reachBefore, grain.reachAfter, t, static_cast<float>(gain));
    if (left) lastLeft = t, lastLeftVoiced = voiced;
    t += voiced ? period : grain.spacing;
  }
  return t;
}

}  // namespace mowik
