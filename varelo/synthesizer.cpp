#include "varelo/synthesizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "varelo/release_timing.h"

namespace mowik {
namespace {

// A phone waits at most this many phones for the pitch target that ends its contour.
constexpr size_t kLookahead = 32;

// A slower take is chosen as if its phones were this many fifths of their recorded length:
// stretching a slow take a little sounds closer to the speaker than stretching a fast one much
// (measured at eSpeak's 110 words a minute, about Mowik's slowest setting), while at Mowik's
// own pace the fast take still wins.
constexpr int64_t kSlowerTakeShare = 4;

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
      // A stretch cut at its very first sample has no sample before it.
      const int64_t y = static_cast<int64_t>(x[i]) - (i > 0 ? x[i - 1] : x[i]);
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
  for (const std::string& s : v.symbols) {
    voicelessRelease_.push_back(IsVoicelessRelease(s));
    shortening_.push_back(ShorteningOf(s));
  }
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
  recentPace_.clear();
}

double Synthesizer::PaceWith(const Pending& phone) {
  // Up to kPhones phones spoken before it, and it with up to kPhones - 1 phones known after it.
  constexpr size_t kPhones = 8;
  const int silence = voice_->SilenceIndex();
  auto typical = [&](const Pending& p) -> int64_t {
    if (takeLengths_.empty() || p.symbol == silence) return 0;
    return takeLengths_.back()[static_cast<size_t>(p.symbol)] * uttRate_ / voice_->sampleRate;
  };
  int64_t spoken = 0, recorded = 0;
  for (const auto& [length, take] : recentPace_) spoken += length, recorded += take;
  size_t ahead = 0;
  for (const Pending& p : pending_) {
    if (ahead++ == kPhones) break;
    if (const int64_t t = typical(p); t > 0) spoken += p.end - p.start, recorded += t;
  }
  if (const int64_t t = typical(phone); t > 0) {
    recentPace_.push_back({phone.end - phone.start, t});
    if (recentPace_.size() > kPhones) recentPace_.pop_front();
  }
  return recorded > 0 ? static_cast<double>(spoken) / static_cast<double>(recorded) : 1.0;
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
