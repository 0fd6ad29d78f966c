// varelo-make-voice: builds the Polish diphone voice pl1 from eSpeak NG as the speaker.
//   varelo-make-voice --espeak-data DIR --work DIR -o FILE
// For every ordered pair of phonemes it has eSpeak speak a carrier word that holds the pair
// between steady neighbours, finds the phones by eSpeak's own phoneme events, cuts the stretch
// from the steadiest point of the first phone to that of the second (Phoneme::cut), lays pitch
// marks and converts
// it to 16000 Hz. Each pair is cut twice, at a slow pace and at about Mowik's own: a speaker
// does not just compress a slow phone when it speaks fast (its formants move faster, its
// steady parts shrink), so the engine speaks each phone from the take nearest its length.
// The same input gives the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "varelo/generator/carrier_analysis.h"
#include "varelo/generator/espeak_speaker.h"
#include "varelo/voice_database.h"

namespace mowik {
namespace {

// kStop: a voiceless stop or affricate, whose closure eSpeak counts to the phone before it.
// kVoicedStop: a voiced one, whose closure (its voice bar) eSpeak counts to the stop itself, so
// its cut lies within the phone as eSpeak places it, inside the voice bar (kVoicedStopCut).
enum class Kind { kVowel, kStop, kVoicedStop, kOther, kSilence };

struct Phoneme {
  const char* symbol;  // Mowik's
  const char* espeak;  // eSpeak's phoneme input name
  Kind kind;
  // Where in the phone (a share of its length from its start) the diphones meet: its steadiest
  // point, the same whatever comes after it. eSpeak's sonorants reach their target early and
  // spend the rest moving towards the next phone, so their middle differs with it (j, n, l by
  // some 20 dB of mel-cepstral distance); its fricatives less so. Unused for voiceless stops,
  // which meet in the middle of their closure, and for the pause.
  double cut;
};

// A voiced stop or affricate is eSpeak's voice bar, its burst and its frication: halfway lands
// on the burst, a third of the way in its voice bar.
constexpr double kVowelCut = 0.5, kSonorantCut = 0.2, kFricativeCut = 0.35, kVoicedStopCut = 0.35;

// Every symbol Mowik's front end can write. q is spoken as k; voiceless stops and affricates
// begin with a closure that eSpeak counts to the phone before them.
constexpr Phoneme kInventory[] = {
    {"a", "a", Kind::kVowel, kVowelCut},        {"e", "E", Kind::kVowel, kVowelCut},
    {"o", "O", Kind::kVowel, kVowelCut},        {"u", "u", Kind::kVowel, kVowelCut},
    {"i", "i", Kind::kVowel, kVowelCut},        {"I", "y", Kind::kVowel, kVowelCut},
    {"e~", "E~", Kind::kVowel, kVowelCut},      {"o~", "O~", Kind::kVowel, kVowelCut},
    {"p", "p", Kind::kStop, 0.5},               {"b", "b", Kind::kVoicedStop, kVoicedStopCut},
    {"t", "t", Kind::kStop, 0.5},               {"d", "d", Kind::kVoicedStop, kVoicedStopCut},
    {"k", "k", Kind::kStop, 0.5},               {"g", "g", Kind::kVoicedStop, kVoicedStopCut},
    {"f", "f", Kind::kOther, kFricativeCut},    {"v", "v", Kind::kOther, kFricativeCut},
    {"s", "s", Kind::kOther, kFricativeCut},    {"z", "z", Kind::kOther, kFricativeCut},
    {"S", "S", Kind::kOther, kFricativeCut},    {"Z", "Z", Kind::kOther, kFricativeCut},
    {"s'", "S;", Kind::kOther, kFricativeCut},  {"z'", "Z;", Kind::kOther, kFricativeCut},
    {"x", "x", Kind::kOther, kFricativeCut},    {"ts", "ts", Kind::kStop, 0.5},
    {"dz", "dz", Kind::kVoicedStop, kVoicedStopCut},       {"tS", "tS", Kind::kStop, 0.5},
    {"dZ", "dZ", Kind::kVoicedStop, kVoicedStopCut},       {"ts'", "ts;", Kind::kStop, 0.5},
    {"dz'", "dz;", Kind::kVoicedStop, kVoicedStopCut},     {"m", "m", Kind::kOther, kSonorantCut},
    {"n", "n", Kind::kOther, kSonorantCut},     {"n'", "n^", Kind::kOther, kSonorantCut},
    {"N", "N", Kind::kOther, kSonorantCut},     {"l", "l", Kind::kOther, kSonorantCut},
    {"r", "R", Kind::kOther, kSonorantCut},     {"w", "w", Kind::kOther, kSonorantCut},
    {"j", "j", Kind::kOther, kSonorantCut},     {"q", "k", Kind::kStop, 0.5},
    {"_", "_:", Kind::kSilence, 0.5},
};

constexpr double kRate = 16000;
constexpr int kEspeakPitch = 80;
// The paces of the takes, slowest first, in eSpeak's words a minute: its slowest (phones of
// about 170 ms, longer than Mowik's slowest setting) and a little below Mowik's default pace
// (phones of 70 ms, eSpeak's 230), where the stops and affricates came out closest to the
// speaker's at Mowik's pace in varelo-measure.
constexpr int kTakeWordsPerMinute[] = {80, 200};
constexpr double kSilenceHalfSeconds = 0.020;  // what a diphone keeps of a neighbouring pause
constexpr double kMaxClosureSeconds = 0.100;
// A closure shorter than this was not found (a voice bar as loud as a nasal before it); the
// cut then still goes before the burst, so no diphone carries half a burst.
constexpr double kMinClosureSeconds = 0.020;
constexpr int64_t kMargin = 160;  // samples kept on both sides for the grains at the ends

struct CarrierPhone {
  const Phoneme* phoneme;
  bool stressed;
};

// "_:|t|'a|A|B|a|t|a|_:", with the pause-side variants; a vowel of the pair carries the stress.
std::vector<CarrierPhone> Carrier(const Phoneme& a, const Phoneme& b) {
  const Phoneme* ta = &kInventory[0];
  const Phoneme* t = &kInventory[10];
  const Phoneme* pause = &kInventory[std::size(kInventory) - 1];
  if (a.kind == Kind::kSilence)
    return {{pause, false}, {&b, b.kind == Kind::kVowel}, {ta, b.kind != Kind::kVowel},
            {t, false},     {ta, false},                 {pause, false}};
  if (b.kind == Kind::kSilence)
    return {{pause, false}, {t, false}, {ta, a.kind != Kind::kVowel}, {&a, a.kind == Kind::kVowel},
            {pause, false}};
  const bool vowelStress = a.kind == Kind::kVowel || b.kind == Kind::kVowel;
  return {{pause, false},          {t, false},  {ta, !vowelStress},
          {&a, a.kind == Kind::kVowel}, {&b, b.kind == Kind::kVowel},
          {ta, false},             {t, false},  {ta, false}, {pause, false}};
}

std::string Input(const std::vector<CarrierPhone>& carrier) {
  std::string s = "[[";
  for (size_t i = 0; i < carrier.size(); ++i) {
    if (i > 0) s += '|';
    if (carrier[i].stressed) s += '\'';
    s += carrier[i].phoneme->espeak;
  }
  return s + "]]";
}

// Where each carrier phone lies in a recording, stop closures included.
struct Located {
  int64_t start;  // closure start for a stop, else eSpeak's event
  int64_t event;
  int64_t end;    // the next event
};

std::vector<Located> Locate(const Recording& r, const std::vector<CarrierPhone>& carrier,
                            double rate, const std::string& input) {
  std::vector<Located> located;
  size_t e = 0;
  for (size_t i = 0; i < carrier.size(); ++i) {
    // eSpeak adds a glide ";" after i before a vowel; it belongs to the transition.
    while (e < r.phones.size() && r.phones[e].name == ";" &&
           std::strcmp(carrier[i].phoneme->espeak, ";") != 0)
      ++e;
    if (e >= r.phones.size() || r.phones[e].name != carrier[i].phoneme->espeak)
      throw std::runtime_error("eSpeak did not speak " + input + " as written");
    const int64_t event = r.phones[e].sample;
    const int64_t end = e + 1 < r.phones.size() ? r.phones[e + 1].sample
                                                : static_cast<int64_t>(r.samples.size());
    located.push_back({event, event, end});
    ++e;
  }
  for (size_t i = 1; i < located.size(); ++i) {
    if (carrier[i].phoneme->kind != Kind::kStop) continue;
    const int64_t maxLength = std::llround(kMaxClosureSeconds * rate);
    Located& prev = located[i - 1];
    const int64_t from = carrier[i - 1].phoneme->kind == Kind::kSilence
                             ? located[i].event - maxLength * 6 / 10
                             : prev.start + (prev.end - prev.start) * 4 / 10;
    const int64_t shortest = located[i].event - std::llround(kMinClosureSeconds * rate);
    located[i].start = carrier[i - 1].phoneme->kind == Kind::kSilence
                           ? std::max(prev.start, from)
                           : std::max(from, std::min(shortest, ClosureStart(r.samples, from, located[i].event,
                                                                            maxLength, rate)));
    prev.end = std::min(prev.end, located[i].start);
  }
  return located;
}

double Middle(const Located& p, const Phoneme& phoneme) {
  if (phoneme.kind == Kind::kStop && p.start < p.event) return (p.start + p.event) / 2.0;
  return p.start + (p.end - p.start) * phoneme.cut;
}

struct Analysed {
  Recording recording;
  std::vector<Located> located;
  std::vector<PitchMark> marks;
};

class VoiceBuilder {
 public:
  VoiceBuilder(EspeakSpeaker& speaker) : speaker_(speaker), rate_(speaker.SampleRate()) {}

  void Calibrate() {
    speaker_.SetWordsPerMinute(kTakeWordsPerMinute[0]);
    const Recording r = speaker_.Speak("[[_:|t|'a|m|a|l|a|n|a|_:]]");
    const std::vector<Stretch> voiced = VoicedStretches(r.samples, rate_ / 125.6);
    pitch_ = MeasurePitch(r.samples, voiced, rate_, 110, 140);
    period_ = rate_ / pitch_;
  }
  double Pitch() const { return pitch_; }

  void Add(VoiceDatabase& v, uint16_t left, uint16_t right, int wordsPerMinute) {
    const Phoneme& a = kInventory[left];
    const Phoneme& b = kInventory[right];
    const std::vector<CarrierPhone> carrier = Carrier(a, b);
    const std::string input = Input(carrier);
    auto found = cache_.find({wordsPerMinute, input});
    if (found == cache_.end()) {
      Analysed an;
      speaker_.SetWordsPerMinute(wordsPerMinute);
      an.recording = speaker_.Speak(input);
      an.located = Locate(an.recording, carrier, rate_, input);
      an.marks = PitchMarks(an.recording.samples, VoicedStretches(an.recording.samples, period_), period_);
      found = cache_.emplace(std::pair{wordsPerMinute, input}, std::move(an)).first;
    }
    const Analysed& an = found->second;
    // The pair's place in the carrier.
    const size_t ia = a.kind == Kind::kSilence ? 0 : 3;
    const size_t ib = ia + 1;
    const Located& pa = an.located[ia];
    const Located& pb = an.located[ib];
    const double half = kSilenceHalfSeconds * rate_;
    const double start = a.kind == Kind::kSilence ? std::max(0.0, pb.start - half) : Middle(pa, a);
    const double end = b.kind == Kind::kSilence ? pb.start + half : Middle(pb, b);
    const double scale = kRate / rate_;
    const int64_t first = std::llround(start * scale) - kMargin;
    const int64_t last = std::llround(end * scale) + kMargin;

    Diphone d;
    d.left = left;
    d.right = right;
    d.firstSample = static_cast<uint32_t>(v.samples.size());
    d.sampleCount = static_cast<uint32_t>(last - first + 1);
    d.start = static_cast<uint32_t>(kMargin);
    d.boundary = static_cast<uint32_t>(std::clamp<int64_t>(std::llround(pb.start * scale) - first, d.start,
                                                           d.sampleCount - 1 - kMargin));
    d.end = d.sampleCount - 1 - kMargin;
    const std::vector<int16_t> samples = Resample(an.recording.samples, rate_, kRate, first, d.sampleCount);
    v.samples.insert(v.samples.end(), samples.begin(), samples.end());
    d.firstMark = static_cast<uint32_t>(v.marks.size());
    for (const PitchMark& m : an.marks) {
      const int64_t p = std::llround(m.position * scale) - first;
      if (p < 0 || p >= static_cast<int64_t>(d.sampleCount)) continue;
      if (!v.marks.empty() && d.markCount > 0 && (v.marks.back() & ~kMarkVoiced) >= static_cast<uint32_t>(p)) continue;
      v.marks.push_back(static_cast<uint32_t>(p) | (m.voiced ? kMarkVoiced : 0));
      ++d.markCount;
    }
    if (d.markCount == 0) throw std::runtime_error("no pitch marks in " + input);
    v.diphones.push_back(d);
  }

 private:
  EspeakSpeaker& speaker_;
  double rate_;
  double pitch_ = 125.6, period_ = 0;
  std::map<std::pair<int, std::string>, Analysed> cache_;
};

int Main(int argc, char** argv) {
  std::string systemData, work, output;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--espeak-data") systemData = argv[i + 1];
    else if (option == "--work") work = argv[i + 1];
    else if (option == "-o") output = argv[i + 1];
  }
  if (systemData.empty() || work.empty() || output.empty()) {
    std::fprintf(stderr, "usage: varelo-make-voice --espeak-data DIR --work DIR -o FILE\n");
    return 2;
  }
  EspeakSpeaker speaker(systemData, work, kEspeakPitch);
  VoiceBuilder builder(speaker);
  builder.Calibrate();

  VoiceDatabase v;
  v.sampleRate = static_cast<uint32_t>(kRate);
  v.pitchCentiHz = static_cast<uint32_t>(std::llround(builder.Pitch() * 100));
  for (const Phoneme& p : kInventory) v.symbols.push_back(p.symbol);
  const uint16_t n = static_cast<uint16_t>(std::size(kInventory));
  const uint16_t silence = n - 1;
  for (uint16_t a = 0; a < n; ++a)
    for (uint16_t b = 0; b < n; ++b)
      if (a != silence || b != silence)
        for (int wpm : kTakeWordsPerMinute) builder.Add(v, a, b, wpm);

  char pitch[32];
  std::snprintf(pitch, sizeof pitch, "%.2f", builder.Pitch());
  v.info = {
      "name: pl1",
      "language: Polish (pl)",
      "source: eSpeak NG " + speaker.Version() + " Polish voice (pl), a variant with flat pitch, "
          "no flutter or roughness",
      "built: by varelo-make-voice from carrier words _ t 'a A B a t a _, cut between the "
          "phones' steadiest points, two takes of each pair (80 and 200 words a minute), pitch marks on a " +
          std::string(pitch) + " Hz grid at the measured phase, converted from 22050 to 16000 Hz",
  };
  v.Index();
  const std::vector<uint8_t> bytes = SerializeVoice(v);
  std::ofstream out(output, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "varelo-make-voice: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("varelo-make-voice: %s, %zu diphones, %zu bytes, speaker pitch %s Hz\n", output.c_str(),
              v.diphones.size(), bytes.size(), pitch);
  return 0;
}

}  // namespace
}  // namespace mowik

int main(int argc, char** argv) {
  try {
    return mowik::Main(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "varelo-make-voice: %s\n", e.what());
    return 1;
  }
}
