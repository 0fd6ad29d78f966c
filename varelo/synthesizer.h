#pragma once
// Diphone concatenation with pitch-synchronous overlap-add. Phones come in one at a time; a
// phone is rendered once the phone after it is known (its second half is the diphone towards
// that neighbour) and the pitch contour is known through its end, or the utterance ends.
// Samples are handed out as soon as no later grain can reach them.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "varelo/phone_shortening.h"
#include "varelo/phoneme_line.h"
#include "varelo/voice_database.h"

namespace mowik {

struct SynthPhone {
  int symbol = 0;                    // index into the voice's symbols
  double durationMs = 0;             // the duration ratio already applied
  std::vector<PitchTarget> targets;  // the pitch ratio already applied
};

class Synthesizer {
 public:
  explicit Synthesizer(std::shared_ptr<const VoiceDatabase> voice);

  // Output sample rate; the voice's samples are read as if recorded at it. Takes effect at the
  // start of the next utterance. Durations stay in milliseconds and pitch in hertz.
  void SetRate(uint32_t rate) { rate_ = rate; }
  // Pitch used while no target has been given at all, in Hz.
  void SetDefaultPitch(double hz) { defaultHz_ = hz; }

  // Adds the next phone of the utterance and renders what has become renderable.
  void Push(const SynthPhone& phone);
  // Ends the utterance: renders every pending phone, the last one towards silence, and makes
  // all its samples ready. The next Push starts a new utterance at time 0.
  void Finish();
  // Drops pending phones and unread samples; the next Push starts a new utterance.
  void Reset();

  size_t PendingPhones() const { return pending_.size(); }
  size_t ReadySamples() const { return ready_.size() - readPos_; }
  // Moves up to max ready samples to out, times volume, rounded and saturated to 16 bits.
  size_t Take(int16_t* out, size_t max, float volume);

  // Output positions (samples from the start of the utterance) where one diphone hands over to
  // the next inside a phone: halfway between the last grain of the one and the first of the
  // other. For the join checks of the tests; recorded only when asked.
  struct Join {
    int64_t at;        // halfway between the last grain of the one and the first of the other
    int64_t from, to;  // the marks of those two grains
    bool voiced;       // both grains are voiced
  };
  void RecordJoins(bool on) { recordJoins_ = on; }

  // Whether a diphone was spoken as silence because its samples failed their checksum (a
  // mapped voice file damaged after it was loaded); stays set.
  bool Damaged() const { return damaged_; }
  const std::vector<Join>& Joins() const { return joins_; }

 private:
  struct Pending {
    int symbol;
    int64_t start, end;  // output samples from the start of the utterance
  };
  struct Knot {
    double time, hz;
  };

  void StartUtterance();
  void RenderReady(bool all);
  // following: the phone after, or null when the utterance ends (silence follows). A phone
  // other than silence goes through the four steps below (render_phone.cpp).
  void RenderPhone(const Pending& phone, const Pending* following);
  struct HalfMap;
  struct PhoneLayout;
  // The diphones of the phone's halves (the left one carried over from the previous phone when
  // it is the same pair) and the phone's place in output time.
  void ChooseHalves(const Pending& phone, const Pending* following, PhoneLayout& layout);
  // Where the halves meet and how each maps output time to its recording.
  void MapHalves(PhoneLayout& layout);
  // Each half's gain towards the two recordings' common level at the join.
  void LeanTowardsTheJoin(PhoneLayout& layout) const;
  // Adds the phone's grains from the first pitch mark due in it; returns the next one due.
  double OverlapAdd(const PhoneLayout& layout);
  // The take of the pair (left, right) whose pace suits the two phones best: the one whose
  // typical lengths of the two phones (takeLengths_) are nearest, as ratios, to the lengths they
  // must take now, in output samples (a silence counts nothing), slower takes favoured a little.
  // Null when the voice lacks the pair, or when the chosen take's samples are damaged (then
  // Damaged() says so).
  const Diphone* ChooseTake(int left, int right, int64_t leftLength, int64_t rightLength);
  const Diphone* BestTake(int left, int right, int64_t leftLength, int64_t rightLength) const;
  // Where the burst of a stop or affricate lies in the second half of d (the phone from its
  // closure's middle to the next phone), relative to d's first sample; 0 when that half does
  // not begin in a closure. Found once per diphone.
  uint32_t BurstOf(const Diphone& d);
  void AddGrain(const Diphone& d, uint32_t centre, uint32_t left, uint32_t right, double at,
                float gain);
  double PitchAt(double time);
  // The utterance's pace at this phone: the length of it, the phones before it and those known
  // after it over what the voice's fastest take gives them (1 at that take's pace, 0.5 twice as
  // fast). Called once for each phone rendered, in order.
  double PaceWith(const Pending& phone);
  // 0.5 - 0.5 cos(pi i / width) for i = 0..width, computed once per width.
  const std::vector<float>& Ramp(uint32_t width);
  void MakeFinal(int64_t upTo);
  void Grow(int64_t upTo);
  // The widest reach of a grain around its mark, in output samples: also how far behind the
  // next mark samples stay open.
  uint32_t MaxHalf() const { return uttRate_ / 20 > 512 ? uttRate_ / 20 : 512; }

  std::shared_ptr<const VoiceDatabase> voice_;
  // Per take (0 the slowest) and symbol: the phone's recorded length in that take, the mean of
  // its halves over every pair it is in, in samples; 0 when the take lacks it.
  std::vector<std::vector<int64_t>> takeLengths_;
  std::vector<bool> voicelessRelease_;  // per symbol: IsVoicelessRelease
  std::vector<Shortening> shortening_;  // per symbol: ShorteningOf
  uint32_t rate_;
  double defaultHz_;
  bool recordJoins_ = false;

  // The utterance in progress.
  bool started_ = false;
  uint32_t uttRate_ = 0;
  double elapsedMs_ = 0;
  int previous_ = 0;  // symbol of the last rendered phone
  // The take chosen for (previous_, the next phone) when previous_ was rendered: both halves
  // of a diphone come from one take.
  const Diphone* carried_ = nullptr;
  std::deque<Pending> pending_;
  // The pace of the last phones: their lengths and the lengths the fastest take gives them.
  std::deque<std::pair<int64_t, int64_t>> recentPace_;
  bool damaged_ = false;
  std::deque<Knot> contour_;
  double nextMark_ = 0;
  std::vector<float> acc_;  // overlap-add buffer; acc_[0] is output sample accBase_
  int64_t accBase_ = 0;
  std::vector<Join> joins_;

  std::vector<std::vector<float>> ramps_;
  std::vector<uint32_t> bursts_;  // per diphone: BurstOf + 1, 0 when not yet found
  std::vector<float> ready_;
  size_t readPos_ = 0;
};

}  // namespace mowik
