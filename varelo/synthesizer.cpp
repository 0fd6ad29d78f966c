#include "varelo/synthesizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace mowik {
namespace {

// A phone waits at most this many phones for the pitch target that ends its contour.
constexpr size_t kLookahead = 32;

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
// grain by grain at their recorded spacing, never repeated or skipped. The closure before them
// takes what the phone's duration leaves, but keeps at least this share of it when it can.
constexpr double kTransientMs = 12;
constexpr double kMinClosureShare = 0.2;
constexpr double kAfterBurstStiffness = 0.3;

// A slower take is chosen as if its phones were this many fifths of their recorded length:
// stretching a slow take a little sounds closer to the speaker than stretching a fast one much
// (measured at eSpeak's 110 words a minute, about Mowik's slowest setting), while at Mowik's
// own pace the fast take still wins.
constexpr int64_t kSlowerTakeShare = 4;

// A piecewise-linear map from output time to source position within one half of a phone.
struct HalfMap {
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

}  // namespace

uint32_t Synthesizer::BurstOf(const Diphone& d) {
  const VoiceDatabase& v = *voice_;
  const size_t index = static_cast<size_t>(&d - v.diphones.data());
  if (bursts_.size() != v.diphones.size()) bursts_.assign(v.diphones.size(), 0);
  if (bursts_[index] != 0) return bursts_[index] - 1;
  // Energy of the first difference (which leaves out a voice bar's low hum) in frames of
  // 2 ms; integers, so every build finds the same frame.
  const uint32_t frame = std::max<uint32_t>(8, v.sampleRate / 500);
  const int16_t* x = v.Samples().data() + d.firstSample;
  std::vector<int64_t> energy;
  for (uint32_t f = d.start; f + frame <= d.boundary; f += frame) {
    int64_t e = 0;
    for (uint32_t i = f; i < f + frame; ++i) {
      const int64_t y = static_cast<int64_t>(x[i]) - x[i - 1];
      e += y * y;
    }
    energy.push_back(e);
  }
  // The burst: the first frame no more than 30 dB below the loudest that rises 7 dB above the
  // 8 ms before it, when those lie 25 dB or more below the loudest (a closure, silent or
  // voiced). A half without one (a vowel, a fricative, a sonorant, a nasal or a tap whose
  // release is not quiet enough before) is mapped evenly.
  uint32_t burst = 0;
  const int64_t loudest = energy.empty() ? 0 : *std::max_element(energy.begin(), energy.end());
  for (size_t k = 4; k < energy.size() && burst == 0; ++k) {
    const int64_t before = energy[k - 4] + energy[k - 3] + energy[k - 2] + energy[k - 1];
    if (energy[k] * 1000 >= loudest && energy[k] * 4 >= 5 * before && before * 1000 <= 12 * loudest)
      burst = d.start + static_cast<uint32_t>(k - 1) * frame;  // a frame early, to hold its onset
  }
  bursts_[index] = burst + 1;
  return burst;
}

Synthesizer::Synthesizer(std::shared_ptr<const VoiceDatabase> voice)
    : voice_(std::move(voice)),
      rate_(voice_->sampleRate),
      defaultHz_(voice_->pitchCentiHz / 100.0),
      previous_(voice_->SilenceIndex()) {
  // The typical length of each phone in each take (integers: the same in every build).
  const VoiceDatabase& v = *voice_;
  const size_t symbols = v.symbols.size();
  std::vector<std::vector<int64_t>> sums, counts;
  for (size_t i = 0; i < v.diphones.size();) {
    const std::span<const Diphone> takes = v.Takes(v.diphones[i].left, v.diphones[i].right);
    if (takes.empty()) break;  // not indexed: the voice is not sound
    if (sums.size() < takes.size()) {
      sums.resize(takes.size(), std::vector<int64_t>(2 * symbols, 0));
      counts.resize(takes.size(), std::vector<int64_t>(2 * symbols, 0));
    }
    for (size_t k = 0; k < takes.size(); ++k) {
      const Diphone& d = takes[k];
      sums[k][d.left] += int64_t{d.boundary} - d.start, ++counts[k][d.left];
      sums[k][symbols + d.right] += int64_t{d.end} - d.boundary, ++counts[k][symbols + d.right];
    }
    i += takes.size();
  }
  takeLengths_.assign(sums.size(), std::vector<int64_t>(symbols, 0));
  for (size_t k = 0; k < sums.size(); ++k)
    for (size_t s = 0; s < symbols; ++s)
      if (counts[k][s] > 0 && counts[k][symbols + s] > 0)
        takeLengths_[k][s] = sums[k][s] / counts[k][s] + sums[k][symbols + s] / counts[k][symbols + s];
}

void Synthesizer::StartUtterance() {
  started_ = true;
  uttRate_ = rate_;
  elapsedMs_ = 0;
  previous_ = voice_->SilenceIndex();
  carried_ = nullptr;
  pending_.clear();
  contour_.clear();
  nextMark_ = 0;
  acc_.clear();
  accBase_ = 0;
  joins_.clear();
}

void Synthesizer::Push(const SynthPhone& phone) {
  if (!started_) StartUtterance();
  const double r = uttRate_ / 1000.0;
  const double startMs = elapsedMs_;
  elapsedMs_ += std::max(0.0, phone.durationMs);
  const int64_t start = std::llround(startMs * r), end = std::llround(elapsedMs_ * r);

  std::vector<PitchTarget> targets = phone.targets;
  std::stable_sort(targets.begin(), targets.end(),
                   [](const PitchTarget& a, const PitchTarget& b) { return a.percent < b.percent; });
  for (const PitchTarget& t : targets)
    contour_.push_back({start + (end - start) * t.percent / 100.0, t.hz});

  if (end > start) pending_.push_back({phone.symbol, start, end});
  RenderReady(false);
}

void Synthesizer::Finish() {
  if (!started_) return;
  RenderReady(true);
  const int64_t end = std::llround(elapsedMs_ * uttRate_ / 1000.0);
  Grow(end);
  MakeFinal(end);
  started_ = false;
  acc_.clear();
  accBase_ = 0;
  contour_.clear();
}

void Synthesizer::Reset() {
  started_ = false;
  pending_.clear();
  contour_.clear();
  acc_.clear();
  accBase_ = 0;
  ready_.clear();
  readPos_ = 0;
}

size_t Synthesizer::Take(int16_t* out, size_t max, float volume) {
  const size_t n = std::min(max, ReadySamples());
  for (size_t i = 0; i < n; ++i) {
    const float x = std::round(ready_[readPos_ + i] * volume);
    out[i] = static_cast<int16_t>(std::clamp(x, -32768.0f, 32767.0f));
  }
  readPos_ += n;
  if (readPos_ == ready_.size()) {
    ready_.clear();
    readPos_ = 0;
  }
  return n;
}

void Synthesizer::RenderReady(bool all) {
  while (!pending_.empty()) {
    const bool known = !contour_.empty() && contour_.back().time >= pending_.front().end;
    if (pending_.size() >= 2 && (all || known || pending_.size() > kLookahead)) {
      RenderPhone(pending_[0], &pending_[1]);
    } else if (all) {
      RenderPhone(pending_[0], nullptr);
    } else {
      break;
    }
    pending_.pop_front();
  }
}

double Synthesizer::PitchAt(double time) {
  double hz = defaultHz_;
  while (contour_.size() >= 2 && contour_[1].time <= time) contour_.pop_front();
  if (contour_.size() == 1 || (!contour_.empty() && time <= contour_[0].time)) {
    hz = contour_[0].hz;
  } else if (contour_.size() >= 2) {
    const Knot& a = contour_[0];
    const Knot& b = contour_[1];
    hz = a.hz + (b.hz - a.hz) * (time - a.time) / (b.time - a.time);
  }
  // A period must fit the overlap-add margin and span at least two samples.
  const double low = std::max(kMinPitchHz, uttRate_ / static_cast<double>(MaxHalf()));
  return std::clamp(hz, low, std::max(low, std::min(kMaxPitchHz, uttRate_ / 2.0)));
}

const Diphone* Synthesizer::ChooseTake(int left, int right, int64_t leftLength, int64_t rightLength) {
  const Diphone* take = BestTake(left, right, leftLength, rightLength);
  // A take whose samples are damaged is spoken as a missing one: silence.
  if (take && !voice_->SamplesSound(*take)) {
    damaged_ = true;
    return nullptr;
  }
  return take;
}

const Diphone* Synthesizer::BestTake(int left, int right, int64_t leftLength, int64_t rightLength) const {
  const std::span<const Diphone> takes = voice_->Takes(left, right);
  if (takes.size() <= 1) return takes.empty() ? nullptr : &takes[0];
  // The take with the least |log(now / recorded)| summed over both phones, compared as
  // products of integers so that every build picks the same take.
  const int silence = voice_->SilenceIndex();
  const Diphone* best = nullptr;
  int64_t bestHigh = 1, bestLow = 1;  // the best product of ratios so far, bestHigh / bestLow
  for (size_t k = 0; k < takes.size() && k < takeLengths_.size(); ++k) {
    int64_t high = 1, low = 1;
    for (const auto& [symbol, wanted] : {std::pair{left, leftLength}, std::pair{right, rightLength}}) {
      int64_t recorded = takeLengths_[k][static_cast<size_t>(symbol)];
      if (k + 1 < takes.size()) recorded = recorded * kSlowerTakeShare / 5;
      if (symbol == silence || recorded <= 0 || wanted <= 0) continue;
      // Seconds are beyond any take: the bound keeps the products below 2^60.
      constexpr int64_t kLongest = int64_t{1} << 15;
      const int64_t length = std::min(wanted, kLongest);
      recorded = std::min(recorded, kLongest);
      high *= std::max(recorded, length);
      low *= std::min(recorded, length);
    }
    if (!best || high * bestLow < bestHigh * low) best = &takes[k], bestHigh = high, bestLow = low;
  }
  return best ? best : &takes[0];
}

void Synthesizer::RenderPhone(const Pending& phone, const Pending* following) {
  const VoiceDatabase& v = *voice_;
  const double o0 = static_cast<double>(phone.start), o1 = static_cast<double>(phone.end);
  const int next = following ? following->symbol : v.SilenceIndex();
  const int64_t length = phone.end - phone.start;
  const int64_t nextLength = following ? following->end - following->start : 0;
  Grow(phone.end + MaxHalf());
  if (phone.symbol == v.SilenceIndex()) {
    nextMark_ = o1;
    previous_ = phone.symbol;
    carried_ = nullptr;
    MakeFinal(phone.end - MaxHalf());
    return;
  }
  const Diphone* dl = carried_ && carried_->left == previous_ && carried_->right == phone.symbol
                          ? carried_
                          : ChooseTake(previous_, phone.symbol, length, length);
  const Diphone* dr = ChooseTake(phone.symbol, next, length, nextLength);
  carried_ = dr;
  // The phone's two halves come from two diphones; each gets its share of the duration in
  // proportion to its recorded length, so a stop keeps its closure-to-burst balance.
  const double ls = dl ? dl->end - dl->boundary : 0.0;
  const double rs = dr ? dr->boundary - dr->start : 0.0;
  double mid = ls + rs > 0 ? o0 + (o1 - o0) * ls / (ls + rs) : (o0 + o1) / 2;
  // Each half maps output time to its recording linearly, unless the right half holds a burst
  // (a stop or an affricate): then the closure (both halves up to the burst) takes most of the
  // change of duration, the burst's first kTransientMs are copied as recorded, and the rest
  // after it (frication, aspiration) is evenly shortened or lengthened by its share.
  HalfMap leftMap, rightMap;
  const uint32_t burst = dr ? BurstOf(*dr) : 0;
  const double transientEnd = burst ? std::min<double>(dr->boundary, burst + kTransientMs * uttRate_ / 1000) : 0;
  if (burst) {
    const double length = o1 - o0;
    const double closure = ls + (burst - dr->start);
    const double after = dr->boundary - burst;
    // The speaker shortens (or lengthens) what follows a burst by 70 % of the phone's change
    // and the closure by the rest (eSpeak's stops and affricates from 80 to 230 words a minute).
    const double ratio = closure + after > 0 ? length / (closure + after) : 1.0;
    const double afterOut = after * (ratio + kAfterBurstStiffness * (1 - ratio));
    double closureOut = std::max(length - afterOut, std::min(closure, kMinClosureShare * length));
    closureOut = std::clamp(closureOut, 0.0, length);
    mid = o0 + (closure > 0 ? closureOut * ls / closure : 0.0);
    const double burstAt = o0 + closureOut;
    const double transientOut = std::min(transientEnd - burst, o1 - burstAt);
    rightMap.Add(mid, dr->start);
    rightMap.Add(burstAt, burst);
    rightMap.Add(burstAt + transientOut, burst + transientOut);
    rightMap.Add(o1, dr->boundary);
  } else {
    rightMap.Add(mid, dr ? dr->start : 0.0);
    rightMap.Add(o1, dr ? dr->boundary : 0.0);
  }
  leftMap.Add(o0, dl ? dl->boundary : 0.0);
  leftMap.Add(mid, dl ? dl->end : 0.0);
  // The two recordings of this phone come from different words and may differ in loudness;
  // each half leans towards their common level at the join, so the hand-over is no step.
  double leanLeft = 1, leanRight = 1;
  if (dl && dr) {
    const double l = LevelAround(v, *dl, dl->end), r = LevelAround(v, *dr, dr->start);
    if (l > 30 && r > 30) {
      leanLeft = std::sqrt(std::clamp(r / l, 0.25, 4.0));
      leanRight = 1 / leanLeft;
    }
  }

  double t = std::max(nextMark_, o0);
  double lastLeft = -1;  // the mark of the last grain taken from the left diphone
  bool lastLeftVoiced = false;
  while (t < o1) {
    const bool left = t < mid;
    const Diphone* d = left ? dl : dr;
    const double period = uttRate_ / PitchAt(t);
    if (!d) {  // the voice lacks this diphone: its half stays silent
      t += period;
      continue;
    }
    const double a0 = left ? o0 : mid, a1 = left ? mid : o1;
    const double s = left ? leftMap(t) : rightMap(t);
    const uint32_t j = NearestMark(v, *d, s);
    const uint32_t c = d->Mark(v.marks, j);
    const uint32_t before = j > 0 ? c - d->Mark(v.marks, j - 1) : 0;
    const uint32_t after = j + 1 < d->markCount ? d->Mark(v.marks, j + 1) - c : 0;
    const double spacing = std::max<double>(8.0, before && after ? (before + after) / 2.0
                                                                  : std::max(before, after));
    const uint32_t wl = std::min<uint32_t>({before ? before : after, c, MaxHalf()});
    const uint32_t wr = std::min<uint32_t>({after ? after : before, d->sampleCount - 1 - c, MaxHalf()});
    // The transient is copied: its grains keep their recorded spacing even where voiced.
    const bool transient = !left && burst && c + spacing / 2 >= burst && c < transientEnd;
    const bool voiced = !transient && (v.marks[d->firstMark + j] & kMarkVoiced) != 0;
    // The hand-over: halfway between the last grain of one diphone and the first of the next.
    if (!left && lastLeft >= 0) {
      if (recordJoins_ && dl) joins_.push_back({std::llround((lastLeft + t) / 2), std::llround(lastLeft), std::llround(t),
                                                   voiced && lastLeftVoiced});
      lastLeft = -1;
    }
    // Voiced grains go one per requested period, scaled so that closer grains do not add up
    // to a louder voice; unvoiced ones keep their recorded spacing, which reconstructs noise.
    const double along = a1 > a0 ? (t - a0) / (a1 - a0) : 0.0;  // 0 to 1 through the half
    const double lean = left ? 1 + (leanLeft - 1) * along : leanRight + (1 - leanRight) * along;
    const double gain = (voiced ? std::min(1.0, period / spacing) : 1.0) * lean;
    AddGrain(*d, c, wl, wr, t, static_cast<float>(gain));
    if (left) lastLeft = t, lastLeftVoiced = voiced;
    t += voiced ? period : spacing;
  }
  nextMark_ = t;
  previous_ = phone.symbol;
  MakeFinal(std::min<int64_t>(std::llround(nextMark_), phone.end) - MaxHalf());
}

const std::vector<float>& Synthesizer::Ramp(uint32_t width) {
  if (ramps_.size() <= width) ramps_.resize(width + 1);
  std::vector<float>& ramp = ramps_[width];
  if (ramp.empty()) {
    ramp.resize(width + 1);
    for (uint32_t i = 0; i <= width; ++i)
      ramp[i] = static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / width));
  }
  return ramp;
}

void Synthesizer::AddGrain(const Diphone& d, uint32_t centre, uint32_t left, uint32_t right,
                           double at, float gain) {
  const int16_t* src = voice_->Samples().data() + d.firstSample + centre;
  const int64_t base = std::llround(at) - accBase_;
  const int64_t size = static_cast<int64_t>(acc_.size());
  // Hann halves: rising over left samples up to the mark, falling over right samples after it.
  if (left > 0) {
    const std::vector<float>& up = Ramp(left);
    for (int64_t k = -static_cast<int64_t>(left); k < 0; ++k) {
      const int64_t i = base + k;
      if (i >= 0 && i < size) acc_[static_cast<size_t>(i)] += gain * up[static_cast<size_t>(k + left)] * src[k];
    }
  }
  if (right == 0) {  // a lone mark: its own sample only
    if (base >= 0 && base < size) acc_[static_cast<size_t>(base)] += gain * src[0];
    return;
  }
  const std::vector<float>& down = Ramp(right);
  for (int64_t k = 0; k <= static_cast<int64_t>(right); ++k) {
    const int64_t i = base + k;
    if (i >= 0 && i < size) acc_[static_cast<size_t>(i)] += gain * down[static_cast<size_t>(right - k)] * src[k];
  }
}

void Synthesizer::Grow(int64_t upTo) {
  if (upTo - accBase_ > static_cast<int64_t>(acc_.size()))
    acc_.resize(static_cast<size_t>(upTo - accBase_), 0.0f);
}

void Synthesizer::MakeFinal(int64_t upTo) {
  if (upTo <= accBase_) return;
  Grow(upTo);
  const size_t n = static_cast<size_t>(upTo - accBase_);
  ready_.insert(ready_.end(), acc_.begin(), acc_.begin() + static_cast<ptrdiff_t>(n));
  acc_.erase(acc_.begin(), acc_.begin() + static_cast<ptrdiff_t>(n));
  accBase_ = upTo;
}

}  // namespace mowik
