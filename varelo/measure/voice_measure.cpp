// varelo-measure: how close the voice pl1 speaks to the speaker it was cut from (prints
// figures; a benchmark of quality, not of time).
//   varelo-measure [--out DIR] [--phones] [--check]
//
// For a fixed list of Polish words and sentences (Mowik's phonemes, frozen below) eSpeak NG
// speaks each utterance as the generator's speaker (Polish, flat pitch, no flutter), at six
// rates: Mowik's own pace (230 words a minute, phones of about 70 ms) and 1.5, 2 and 3 times it
// (345, 460, 690: the speeds screen-reader users listen at), the pace of the voice's slow take
// (80, phones of about 170 ms) and about Mowik's slowest setting (110, phones of about 130 ms;
// its duration ratio 1.8 makes 126 ms). The voice's fast take was cut at 200, so each pace asks
// the engine to pick a take and stretch or shorten it. eSpeak's phoneme events (and the
// closure before each voiceless stop or affricate, found as the generator finds it; a voiced
// one's closure, its voice bar, eSpeak counts to it) give every phone's start (from 450 words a
// minute eSpeak speeds its output up with sonic, whose events miss their samples: there the
// phones of its 449 are carried over by alignment, speaker_alignment.h); varelo then speaks the same phonemes with exactly those durations at the speaker's flat pitch, so
// both sides share every phone boundary and are compared frame by frame:
//  - spectral distance: mel-cepstral distance (c1..c12, dB) per 5 ms frame, averaged over the
//    frames whose centre lies in a phone of the class;
//  - burst energy: for stops and affricates, the energy of the pre-emphasised signal over the
//    phone (closure, burst and frication), varelo against the speaker, in dB;
//  - join discontinuity: at every hand-over between two diphones inside a phone, the
//    mel-cepstral distance between the 10 ms before and the 10 ms after, for varelo and for
//    the speaker at the same place;
//  - heard as: the share of phones a listener trained on the speaker alone takes for what they
//    are (phone_classifier.h), varelo's against the speaker's own, the affricates before a vowel
//    apart, and varelo's commonest confusions; at Mowik's pace also for the phones timed as
//    Mowik times them (every phone 70 ms, its closure counted to a stop), heard by the speaker
//    at that pace. VARELO_MEASURE_DEBUG=1 lists every affricate heard wrong.
// Spectrograms (sox) of three sentences, varelo above and the speaker below, go to DIR
// (default: voice-measure beside the build's varelo folder). --phones adds a line per symbol
// and, for each affricate, one before a vowel ("ts +V") and one before anything else ("ts +C_");
// --check exits non-zero unless every figure is finite and every phone was spoken by both.

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "varelo/engine.h"
#include "varelo/generator/carrier_analysis.h"
#include "varelo/generator/espeak_speaker.h"
#include "varelo/measure/cepstra.h"
#include "varelo/measure/phone_classifier.h"
#include "varelo/measure/speaker_alignment.h"
#include "varelo/module_folder.h"
#include "varelo/tools/wav_file.h"

namespace mowik {
namespace {

namespace fs = std::filesystem;

enum Class { kVowel, kSonorant, kFricative, kStop, kAffricate, kClasses };
const char* const kClassNames[kClasses] = {"vowels", "sonorants", "fricatives", "stops", "affricates"};

struct Symbol {
  const char* mowik;
  const char* espeak;
  Class cls;
};

constexpr Symbol kSymbols[] = {
    {"a", "a", kVowel},         {"e", "E", kVowel},         {"o", "O", kVowel},
    {"u", "u", kVowel},         {"i", "i", kVowel},         {"I", "y", kVowel},
    {"e~", "E~", kVowel},       {"o~", "O~", kVowel},       {"p", "p", kStop},
    {"b", "b", kStop},          {"t", "t", kStop},          {"d", "d", kStop},
    {"k", "k", kStop},          {"g", "g", kStop},          {"f", "f", kFricative},
    {"v", "v", kFricative},     {"s", "s", kFricative},     {"z", "z", kFricative},
    {"S", "S", kFricative},     {"Z", "Z", kFricative},     {"s'", "S;", kFricative},
    {"z'", "Z;", kFricative},   {"x", "x", kFricative},     {"ts", "ts", kAffricate},
    {"dz", "dz", kAffricate},   {"tS", "tS", kAffricate},   {"dZ", "dZ", kAffricate},
    {"ts'", "ts;", kAffricate}, {"dz'", "dz;", kAffricate}, {"m", "m", kSonorant},
    {"n", "n", kSonorant},      {"n'", "n^", kSonorant},    {"N", "N", kSonorant},
    {"l", "l", kSonorant},      {"r", "R", kSonorant},      {"w", "w", kSonorant},
    {"j", "j", kSonorant},
};

const Symbol* Find(const std::string& s) {
  for (const Symbol& x : kSymbols)
    if (s == x.mowik) return &x;
  return nullptr;
}

// The fixed list: each utterance is words of Mowik's phonemes (as mowik-say --phonemes writes
// them), words split by blanks, phonemes by "|", a pause by ",".
struct Utterance {
  const char* text;
  const char* phonemes;
  const char* picture;  // file name of its spectrogram, or null
};

const Utterance kList[] = {
    {"W Szczebrzeszynie chrząszcz brzmi w trzcinie.",
     "v|u S|tS|e|b|Z|e|S|I|n'|e x|S|o|n|S|tS b|Z|m|i v t|S|ts'|i|n'|e", "szczebrzeszyn"},
    {"cena, co, noc.", "ts|e|n|a , ts|o , n|o|ts", "cena-co-noc"},
    {"Król Karol kupił królowej Karolinie korale koloru koralowego.",
     "k|r|u|l k|a|r|o|l k|u|p|i|w k|r|u|l|o|v|e|j k|a|r|o|l|i|n'|e k|o|r|a|l|e k|o|l|o|r|u "
     "k|o|r|a|l|o|v|e|g|o",
     "krol-karol"},
    {"kota, kapa, opak, ceta.", "k|o|t|a , k|a|p|a , o|p|a|k , ts|e|t|a", nullptr},
    {"Ciocia Jadzia je jajko na śniadanie.", "ts'|o|ts'|a j|a|dz'|a j|e j|a|j|k|o n|a s'|n'|a|d|a|n'|e",
     nullptr},
    {"Czy pan wie, co to jest?", "tS|I p|a|n v|j|e , ts|o t|o j|e|s|t", nullptr},
    {"cicho", "ts'|i|x|o", nullptr},       {"czas", "tS|a|s", nullptr},
    {"dżem", "d|Z|e|m", nullptr},          {"dzwon", "dz|v|o|n", nullptr},
    {"dźwig", "d|z'|v|i|g", nullptr},      {"koń", "k|o|n'", nullptr},
    {"nie", "n'|e", nullptr},              {"jutro", "j|u|t|r|o", nullptr},
    {"mój", "m|u|j", nullptr},             {"pięć", "p|j|e|n'|ts'", nullptr},
    {"tata", "t|a|t|a", nullptr},          {"babka", "b|a|p|k|a", nullptr},
    {"dom", "d|o|m", nullptr},             {"gęś", "g|e|n|s'", nullptr},
    {"góra", "g|u|r|a", nullptr},          {"papier", "p|a|p|j|e|r", nullptr},
    {"piec", "p|j|e|ts", nullptr},         {"tańczyć", "t|a|n'|tS|I|ts'", nullptr},
    {"świeca", "s'|v|j|e|ts|a", nullptr},  {"źle", "z'|l|e", nullptr},
    {"żaba", "Z|a|b|a", nullptr},          {"rzeka", "Z|e|k|a", nullptr},
    {"szafa", "S|a|f|a", nullptr},         {"wózek", "v|u|z|e|k", nullptr},
    {"fala", "f|a|l|a", nullptr},          {"hak", "x|a|k", nullptr},
    {"chleb", "x|l|e|b", nullptr},         {"mama", "m|a|m|a", nullptr},
    {"ręka", "r|e|N|k|a", nullptr},        {"łąka", "w|o|N|k|a", nullptr},
    {"zając", "z|a|j|o|n|ts", nullptr},    {"zima", "z'|i|m|a", nullptr},
    {"ocet", "o|ts|e|t", nullptr},         {"owca", "o|v|ts|a", nullptr},
    {"pociąg", "p|o|ts'|o|N|g", nullptr},  {"kiedy", "k|j|e|d|I", nullptr},
    {"gdzie", "g|dz'|e", nullptr},         {"lody", "l|o|d|I", nullptr},
    {"dzieci", "dz'|e|ts'|i", nullptr},    {"ćma", "ts'|m|a", nullptr},
    {"nić", "n'|i|ts'", nullptr},          {"kość", "k|o|s'|ts'", nullptr},
    {"wieczór", "v|j|e|tS|u|r", nullptr},  {"oczy", "o|tS|I", nullptr},
    {"ucho", "u|x|o", nullptr},            {"taniec", "t|a|n'|e|ts", nullptr},
    {"nieba", "n'|e|b|a", nullptr},        {"jajko", "j|a|j|k|o", nullptr},
    {"dżdżysty", "dZ|dZ|I|s|t|I", nullptr}, {"dzban", "dz|b|a|n", nullptr},
};

constexpr double kRate = 16000;
constexpr double kSpeakerHz = 125.6;  // replaced by the voice's own pitch when it is loaded

struct Phone {
  const Symbol* symbol;  // null: a pause
  int64_t start, end;    // samples at 16000 Hz
};

struct Rendering {
  std::vector<Phone> phones;
  std::vector<int16_t> speaker, voice;
  std::vector<Synthesizer::Join> joins;
};

std::vector<std::string> Split(const std::string& s, char c) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, c))
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// The eSpeak phoneme input of an utterance (stress on each word's last but one vowel, or its
// only one) and the phones it must come back with, pauses marked by null.
std::string EspeakInput(const Utterance& u, std::vector<const Symbol*>& expected) {
  std::string input = "[[_:";
  expected.clear();
  for (const std::string& word : Split(u.phonemes, ' ')) {
    if (word == ",") {
      input += " _:";
      expected.push_back(nullptr);
      continue;
    }
    std::vector<const Symbol*> phones;
    for (const std::string& p : Split(word, '|')) {
      const Symbol* s = Find(p);
      if (!s) throw std::runtime_error(std::string("unknown phoneme ") + p + " in " + u.text);
      phones.push_back(s);
    }
    std::vector<size_t> vowels;
    for (size_t i = 0; i < phones.size(); ++i)
      if (phones[i]->cls == kVowel) vowels.push_back(i);
    const size_t stressed = vowels.empty() ? phones.size() : vowels[vowels.size() >= 2 ? vowels.size() - 2 : 0];
    input += ' ';
    for (size_t i = 0; i < phones.size(); ++i) {
      if (i > 0) input += '|';
      if (i == stressed) input += '\'';
      input += phones[i]->espeak;
      expected.push_back(phones[i]);
    }
  }
  return input + " _:]]";
}

double Rms(const std::vector<int16_t>& x, int64_t a, int64_t b) {
  double sum = 0;
  for (int64_t i = std::max<int64_t>(a, 0); i < b && i < static_cast<int64_t>(x.size()); ++i) sum += double(x[i]) * x[i];
  return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
}

bool IsClosed(const Symbol* s) { return s && (s->cls == kStop || s->cls == kAffricate); }
bool IsVoicedClosed(const Symbol* s) {
  if (!IsClosed(s)) return false;
  for (const char* v : {"b", "d", "g", "dz", "dZ", "dz'"})
    if (std::string(s->mowik) == v) return true;
  return false;
}

// The speaker's rendering at a pace where eSpeak times the phones itself (up to
// kFastestOwnTiming), with every phone's place from its events.
struct Spoken {
  std::vector<Phone> phones;
  std::vector<int16_t> samples;  // 16000 Hz
};

constexpr int kFastestOwnTiming = 449;  // from 450 words a minute eSpeak hands its output to sonic

Spoken SpeakTimed(EspeakSpeaker& speaker, const Utterance& u, int wpm) {
  std::vector<const Symbol*> expected;
  const std::string input = EspeakInput(u, expected);
  speaker.SetWordsPerMinute(wpm);
  const Recording r = speaker.Speak(input);
  const double from = speaker.SampleRate();
  // Each expected phone's event; unexpected events (glides eSpeak adds, its own pauses) belong
  // to the phone before them.
  std::vector<int64_t> event;
  size_t e = 0;
  for (const Symbol* s : expected) {
    const std::string name = s ? s->espeak : "_:";
    while (e < r.phones.size() && r.phones[e].name != name &&
           !(s == nullptr && r.phones[e].name == "_"))
      ++e;
    if (e == r.phones.size()) throw std::runtime_error("eSpeak did not speak " + input + " as written");
    event.push_back(r.phones[e].sample);
    ++e;
  }
  // The end of the last phone: the next event after it, else the recording's end.
  int64_t last = static_cast<int64_t>(r.samples.size());
  if (e < r.phones.size()) last = r.phones[e].sample;
  // A stop or affricate begins with its closure, which eSpeak counts to the phone before it.
  std::vector<int64_t> start = event;
  // (A voiced one begins with its voice bar, which eSpeak counts to it already.)
  for (size_t i = 0; i < expected.size(); ++i) {
    if (!IsClosed(expected[i]) || IsVoicedClosed(expected[i])) continue;
    const int64_t maxLength = std::llround(0.100 * from);
    const int64_t prevStart = i > 0 ? start[i - 1] : 0;
    if (i == 0 || expected[i - 1] == nullptr) {
      // After a pause the closure is silence that cannot be found: 60 ms at 80 words a minute
      // as the generator takes it, shortened with the pace as eSpeak shortens closures.
      const double closure = 0.6 * maxLength * std::pow(80.0 / wpm, 0.7);
      start[i] = std::max<int64_t>(prevStart, event[i] - std::llround(closure));
    } else {
      const int64_t lo = prevStart + (event[i] - prevStart) * 4 / 10;
      const int64_t shortest = event[i] - std::llround(0.020 * from);
      start[i] = std::max(lo, std::min(shortest, ClosureStart(r.samples, lo, event[i], maxLength, from)));
    }
  }
  if (std::getenv("VARELO_MEASURE_DEBUG"))
    for (size_t i = 0; i < expected.size(); ++i)
      if (IsClosed(expected[i]))
        std::fprintf(stderr, "%s %s closure %.1f ms, after %.1f ms\n", u.text, expected[i]->mowik,
                     double(event[i] - start[i]) * 1000 / from,
                     double((i + 1 < expected.size() ? start[i + 1] : last) - event[i]) * 1000 / from);
  Spoken out;
  auto at16 = [&](int64_t s) { return std::llround(double(s) * kRate / from); };
  int64_t previous = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    const int64_t a = at16(start[i]);
    const int64_t b = at16(i + 1 < expected.size() ? start[i + 1] : last);
    if (a > previous) out.phones.push_back({nullptr, previous, a});
    out.phones.push_back({expected[i], a, b});
    previous = b;
  }
  const int64_t total = at16(static_cast<int64_t>(r.samples.size()));
  if (total > previous) out.phones.push_back({nullptr, previous, total});
  out.samples = Resample(r.samples, from, kRate, 0, total);
  return out;
}

// The speaker at any pace: above kFastestOwnTiming its phone boundaries are those of its
// fastest own timing, carried over to the faster rendering by alignment.
Spoken Speak(EspeakSpeaker& speaker, const Utterance& u, int wpm, const Cepstra& cep) {
  if (wpm <= kFastestOwnTiming) return SpeakTimed(speaker, u, wpm);
  Spoken own = SpeakTimed(speaker, u, kFastestOwnTiming);
  std::vector<const Symbol*> expected;
  speaker.SetWordsPerMinute(wpm);
  const Recording r = speaker.Speak(EspeakInput(u, expected));
  const double from = speaker.SampleRate();
  Spoken out;
  out.samples = Resample(r.samples, from, kRate, 0, std::llround(double(r.samples.size()) * kRate / from));
  std::vector<int64_t> bounds;
  for (const Phone& p : own.phones) bounds.push_back(p.start);
  bounds.push_back(own.phones.empty() ? 0 : own.phones.back().end);
  bounds = CarryBoundaries(own.samples, out.samples, bounds, cep);
  bounds.front() = 0;
  bounds.back() = static_cast<int64_t>(out.samples.size());
  for (size_t k = 0; k < own.phones.size(); ++k) out.phones.push_back({own.phones[k].symbol, bounds[k], bounds[k + 1]});
  return out;
}

// varelo speaking the phones with their durations at the speaker's pitch, into out.voice and
// out.joins.
void Voice(Engine& engine, double speakerHz, Rendering& out) {
  std::string lines;
  char line[96];
  for (const Phone& p : out.phones) {
    std::snprintf(line, sizeof line, "%s %.4f 0 %.2f\n", p.symbol ? p.symbol->mowik : "_",
                  double(p.end - p.start) / (kRate / 1000), speakerHz);
    lines += line;
  }
  engine.Reset();
  engine.SynthesizerForTesting()->RecordJoins(true);
  int16_t block[kBlockSamples];
  auto drain = [&] {
    for (int n; (n = engine.Read(block, kBlockSamples)) > 0;) out.voice.insert(out.voice.end(), block, block + n);
  };
  for (const std::string& l : Split(lines, '\n')) {
    const std::string withEnd = l + "\n";
    if (engine.Write(withEnd.c_str()) == 0) {
      drain();
      engine.Write(withEnd.c_str());
    }
  }
  if (engine.Flush() == 0) {
    drain();
    engine.Flush();
  }
  drain();
  out.joins = engine.SynthesizerForTesting()->Joins();
  engine.SynthesizerForTesting()->RecordJoins(false);
}

Rendering Render(EspeakSpeaker& speaker, Engine& engine, const Utterance& u, double speakerHz, int wpm,
                 const Cepstra& cep) {
  Spoken spoken = Speak(speaker, u, wpm, cep);
  Rendering out;
  out.phones = std::move(spoken.phones);
  out.speaker = std::move(spoken.samples);
  Voice(engine, speakerHz, out);
  if (out.voice.size() != out.speaker.size())
    throw std::runtime_error(std::string("varelo spoke ") + u.text + " for another duration");
  return out;
}

// varelo alone, timed as Mowik times a plain sentence: every phone 70 ms (a closure counted to
// its stop), a pause 200 ms. No speaker: `speaker` holds the voice again, for its loudness.
Rendering RenderOwnTiming(Engine& engine, const Utterance& u, double speakerHz) {
  constexpr int64_t kPhone = 70 * 16, kPause = 200 * 16;
  Rendering out;
  int64_t at = 0;
  auto add = [&](const Symbol* s, int64_t length) {
    out.phones.push_back({s, at, at + length});
    at += length;
  };
  add(nullptr, kPause / 2);
  for (const std::string& word : Split(u.phonemes, ' '))
    if (word == ",") add(nullptr, kPause);
    else
      for (const std::string& p : Split(word, '|')) add(Find(p), kPhone);
  add(nullptr, kPause / 2);
  Voice(engine, speakerHz, out);
  out.speaker = out.voice;
  return out;
}

struct Stat {
  double sum = 0, sum2 = 0;
  size_t n = 0;
  void Add(double x) { sum += x, sum2 += x * x, ++n; }
  double Mean() const { return n ? sum / double(n) : 0.0; }
  // Standard error of the mean.
  double Error() const {
    if (n < 2) return 0;
    const double m = Mean();
    return std::sqrt(std::max(0.0, (sum2 / double(n) - m * m) / double(n - 1)));
  }
};

struct Figures {
  Stat mcd, burst, burstAbs, joinVoice, joinSpeaker;
  size_t phones = 0;
};

struct Totals {
  Figures cls[kClasses];
  std::map<std::string, Figures> symbol;
  std::map<std::string, Figures> context;  // affricates: "ts +V" before a vowel, "ts +C_" otherwise
  size_t phones = 0, silentPhones = 0;
};

void Measure(const Rendering& r, const Cepstra& cep, Totals& t) {
  constexpr int kFrame = 400, kHop = 80, kJoinFrame = 160;
  double loudest = 0;
  for (int64_t c = kFrame / 2; c < static_cast<int64_t>(r.speaker.size()); c += kHop)
    loudest = std::max(loudest, cep.Energy(r.speaker, c, kFrame));
  const double floor = std::max(1e-3, loudest * 1e-5);  // 50 dB below the loudest frame
  auto preEmphasised = [](const std::vector<int16_t>& x, int64_t a, int64_t b) {
    double e = 0;
    for (int64_t i = std::max<int64_t>(a, 1); i < b && i < static_cast<int64_t>(x.size()); ++i) {
      const double y = x[i] - 0.95 * x[i - 1];
      e += y * y;
    }
    return e;
  };
  for (size_t i = 0; i < r.phones.size(); ++i) {
    const Phone& p = r.phones[i];
    if (!p.symbol) continue;
    Figures& f = t.cls[p.symbol->cls];
    Figures& fs = t.symbol[p.symbol->mowik];
    // An affricate's figures also by what follows it: a vowel, or anything else.
    Figures ignored;
    const bool beforeVowel = i + 1 < r.phones.size() && r.phones[i + 1].symbol && r.phones[i + 1].symbol->cls == kVowel;
    Figures& fc = p.symbol->cls == kAffricate ? t.context[std::string(p.symbol->mowik) + (beforeVowel ? " +V" : " +C_")]
                                              : ignored;
    ++t.phones, ++f.phones, ++fs.phones, ++fc.phones;
    if (Rms(r.voice, p.start, p.end) < 1 || Rms(r.speaker, p.start, p.end) < 1) ++t.silentPhones;
    // Frames whose centre lies in the phone.
    const int64_t first = (p.start + kHop - 1) / kHop * kHop;
    for (int64_t c = first; c < p.end; c += kHop) {
      const double d = Mcd(cep.At(r.voice, c, kFrame, floor), cep.At(r.speaker, c, kFrame, floor));
      f.mcd.Add(d);
      fs.mcd.Add(d);
      fc.mcd.Add(d);
    }
    if (IsClosed(p.symbol)) {
      const double ev = preEmphasised(r.voice, p.start, p.end), es = preEmphasised(r.speaker, p.start, p.end);
      const double db = 10 * std::log10((ev + 1) / (es + 1));
      f.burst.Add(db), fs.burst.Add(db), fc.burst.Add(db);
      f.burstAbs.Add(std::abs(db)), fs.burstAbs.Add(std::abs(db)), fc.burstAbs.Add(std::abs(db));
    }
  }
  for (const Synthesizer::Join& j : r.joins) {
    const Phone* p = nullptr;
    for (const Phone& q : r.phones)
      if (q.start <= j.at && j.at < q.end) p = &q;
    if (!p || !p->symbol) continue;
    const int64_t a = j.at - kJoinFrame / 2, b = j.at + kJoinFrame / 2;
    const double dv = Mcd(cep.At(r.voice, a, kJoinFrame, floor), cep.At(r.voice, b, kJoinFrame, floor));
    const double ds = Mcd(cep.At(r.speaker, a, kJoinFrame, floor), cep.At(r.speaker, b, kJoinFrame, floor));
    t.cls[p->symbol->cls].joinVoice.Add(dv), t.cls[p->symbol->cls].joinSpeaker.Add(ds);
    t.symbol[p->symbol->mowik].joinVoice.Add(dv), t.symbol[p->symbol->mowik].joinSpeaker.Add(ds);
    if (p->symbol->cls == kAffricate) {
      const Phone* next = p + 1 < r.phones.data() + r.phones.size() ? p + 1 : nullptr;
      const bool beforeVowel = next && next->symbol && next->symbol->cls == kVowel;
      Figures& fc = t.context[std::string(p->symbol->mowik) + (beforeVowel ? " +V" : " +C_")];
      fc.joinVoice.Add(dv), fc.joinSpeaker.Add(ds);
    }
  }
}

// What a listener trained on the speaker hears (phone_classifier.h), over one pace.
struct Heard {
  struct Token {
    PhoneShape shape;
    Class cls;
    bool beforeVowel;
  };
  std::vector<Token> speaker, voice;
};

void Collect(const Rendering& r, int utterance, const Cepstra& cep, Heard& h, bool withSpeaker = true) {
  constexpr int kFrame = 400, kHop = 80;
  double loudest = 0;
  for (int64_t c = kFrame / 2; c < static_cast<int64_t>(r.speaker.size()); c += kHop)
    loudest = std::max(loudest, cep.Energy(r.speaker, c, kFrame));
  const double floor = std::max(1e-3, loudest * 1e-5);
  for (size_t i = 0; i < r.phones.size(); ++i) {
    const Phone& p = r.phones[i];
    if (!p.symbol) continue;
    const bool beforeVowel = i + 1 < r.phones.size() && r.phones[i + 1].symbol && r.phones[i + 1].symbol->cls == kVowel;
    for (auto [x, tokens] : {std::pair{&r.speaker, &h.speaker}, std::pair{&r.voice, &h.voice}}) {
      if (!withSpeaker && tokens == &h.speaker) continue;
      PhoneShape shape = ShapeOf(cep, *x, p.start, p.end, loudest, floor);
      shape.symbol = p.symbol->mowik;
      shape.utterance = utterance;
      tokens->push_back({std::move(shape), p.symbol->cls, beforeVowel});
    }
  }
}

// Per class the share of phones heard as what they are, varelo's against the speaker's own
// (each of its phones heard by the rest of it), the affricates before a vowel apart, and
// varelo's commonest confusions.
void PrintHeard(const Heard& h) {
  std::vector<PhoneShape> templates;
  for (const Heard::Token& t : h.speaker) templates.push_back(t.shape);
  struct Count {
    int right = 0, all = 0;
  };
  Count voice[kClasses + 1], speaker[kClasses + 1];  // the last: affricates before a vowel
  std::map<std::string, int> confusions;
  for (auto [tokens, counts] : {std::pair{&h.voice, voice}, std::pair{&h.speaker, speaker}})
    for (const Heard::Token& t : *tokens) {
      const std::string heard = HeardAs(t.shape, templates);
      const bool right = heard == t.shape.symbol;
      for (int c : {static_cast<int>(t.cls), t.cls == kAffricate && t.beforeVowel ? kClasses : -1}) {
        if (c < 0) continue;
        counts[c].all++;
        counts[c].right += right;
      }
      if (tokens == &h.voice && !right) confusions[t.shape.symbol + ">" + heard]++;
      if (std::getenv("VARELO_MEASURE_DEBUG") && !right && t.cls == kAffricate)
        std::fprintf(stderr, "%s %s %s heard %s in %s\n", tokens == &h.voice ? "varelo" : "speaker", t.beforeVowel ? "V" : "C", t.shape.symbol.c_str(), heard.c_str(), kList[t.shape.utterance].text);
    }
  std::printf("  heard as the speaker's nearest phone (varelo / the speaker):");
  for (int c = 0; c <= kClasses; ++c)
    std::printf("%s %s %d/%d / %d/%d", c ? "," : "", c < kClasses ? kClassNames[c] : "affricates before a vowel",
                voice[c].right, voice[c].all, speaker[c].right, speaker[c].all);
  std::vector<std::pair<int, std::string>> common;
  for (const auto& [pair, n] : confusions)
    if (n >= 2) common.push_back({-n, pair});
  std::sort(common.begin(), common.end());
  std::printf("\n  varelo's confusions (twice or more):");
  for (size_t k = 0; k < common.size() && k < 12; ++k) std::printf(" %s %d", common[k].second.c_str(), -common[k].first);
  std::printf("\n");
}

void Print(const char* name, const Figures& f) {
  std::printf("  %-10s %5zu  %6.2f ±%.2f", name, f.phones, f.mcd.Mean(), f.mcd.Error());
  if (f.burst.n) std::printf("   %+6.2f ±%.2f  %5.2f", f.burst.Mean(), f.burst.Error(), f.burstAbs.Mean());
  else std::printf("   %6s %5s  %5s", "", "", "");
  std::printf("   %5.2f ±%.2f / %5.2f (%zu)\n", f.joinVoice.Mean(), f.joinVoice.Error(), f.joinSpeaker.Mean(),
              f.joinVoice.n);
}

bool Finite(const Figures& f) {
  for (double x : {f.mcd.Mean(), f.mcd.Error(), f.burst.Mean(), f.burstAbs.Mean(), f.joinVoice.Mean(),
                   f.joinSpeaker.Mean()})
    if (!std::isfinite(x)) return false;
  return true;
}

void Picture(const Rendering& r, const std::string& name, const std::string& dir, const std::string& tag) {
  const std::string base = dir + "/" + name + "-" + tag;
  WriteWav(base + "-varelo.wav", r.voice, static_cast<uint32_t>(kRate));
  WriteWav(base + "-espeak.wav", r.speaker, static_cast<uint32_t>(kRate));
  const std::string command = "sox -M '" + base + "-varelo.wav' '" + base + "-espeak.wav' -n spectrogram -x 1600 -y 257 -z 90 -t '" +
                              name + " (" + tag + ": varelo above, eSpeak NG below)' -o '" + base +
                              ".png' 2>/dev/null";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "varelo-measure: sox could not draw %s.png\n", base.c_str());
}

int Main(int argc, char** argv) {
  std::string out = EngineFolder() + "/../voice-measure";
  bool perPhone = false, check = false, everyPicture = false;
  std::string data;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--out" && i + 1 < argc) out = argv[++i];
    else if (a == "--espeak-data" && i + 1 < argc) data = argv[++i];
    else if (a == "--phones") perPhone = true;
    else if (a == "--every-picture") everyPicture = true;
    else if (a == "--check") check = true;
    else {
      std::fprintf(stderr, "usage: varelo-measure --espeak-data DIR [--out DIR] [--phones] [--every-picture] [--check]\n");
      return 2;
    }
  }
  if (data.empty()) data = VARELO_ESPEAK_DATA;
  fs::create_directories(out);
  if (everyPicture) fs::create_directories(out + "/all");
  Engine engine;
  if (engine.Init("pl1", nullptr, nullptr, EngineFolder()) != kEngineOk) {
    std::fprintf(stderr, "varelo-measure: %s\n", engine.LastErrorText().c_str());
    return 1;
  }
  VoiceDatabase v;
  std::string error;
  double speakerHz = kSpeakerHz;
  if (LoadVoiceFile(EngineFolder() + "/pl1", v, error)) speakerHz = v.pitchCentiHz / 100.0;
  EspeakSpeaker speaker(data, out + "/espeak-data", 80);
  const Cepstra cep;
  bool ok = true;
  struct Pace {
    const char* name;
    const char* tag;  // of its spectrograms
    int wpm;
  };
  // Mowik's pace and the speeds screen-reader users ask for (SAPI's rate 10 is three times,
  // speech-dispatcher's 100 about the same), each against eSpeak at the same speed; then the
  // slow paces.
  for (const Pace pace : {Pace{"Mowik's pace (1x)", "fast", 230}, Pace{"1.5x", "1.5x", 345},
                          Pace{"2x", "2x", 460}, Pace{"3x", "3x", 690},
                          Pace{"the slow take's pace", "slow", 80},
                          Pace{"Mowik's slowest setting", "slowest-setting", 110}}) {
    Totals t;
    Stat phoneMs;
    Heard heard;
    for (const Utterance& u : kList) {
      const Rendering r = Render(speaker, engine, u, speakerHz, pace.wpm, cep);
      Collect(r, static_cast<int>(&u - kList), cep, heard);
      for (const Phone& p : r.phones)
        if (p.symbol) phoneMs.Add(double(p.end - p.start) / 16);
      Measure(r, cep, t);
      const char* tag = pace.tag;
      if (u.picture) Picture(r, u.picture, out, tag);
      else if (everyPicture) Picture(r, Split(u.phonemes, ' ').size() > 1 ? "sentence" : u.text, out + "/all", tag);
    }
    std::printf("%s (eSpeak at %d words a minute%s, phones %.0f ms on average): %zu phones, %zu silent\n", pace.name,
                pace.wpm, pace.wpm > kFastestOwnTiming ? ", phones aligned from its 449" : "", phoneMs.Mean(), t.phones,
                t.silentPhones);
    std::printf("  %-10s %5s  %12s   %22s   %s\n", "class", "phones", "MCD dB", "burst dB (mean, |mean|)",
                "join MCD varelo ±error / speaker (joins)");
    for (int c = 0; c < kClasses; ++c) {
      Print(kClassNames[c], t.cls[c]);
      ok = ok && Finite(t.cls[c]) && t.cls[c].phones > 0;
    }
    PrintHeard(heard);
    if (pace.wpm == 230) {
      // The same phones as Mowik itself times them, heard by the speaker at its own pace.
      Heard own;
      own.speaker = heard.speaker;
      for (const Utterance& u : kList)
        Collect(RenderOwnTiming(engine, u, speakerHz), static_cast<int>(&u - kList), cep, own, false);
      std::printf("  timed as Mowik times them (every phone 70 ms):\n");
      PrintHeard(own);
    }
    if (perPhone)
      for (const Symbol& s : kSymbols)
        if (t.symbol.count(s.mowik)) Print(s.mowik, t.symbol[s.mowik]);
    if (perPhone)
      for (const auto& [name, figures] : t.context) Print(name.c_str(), figures);
    ok = ok && t.silentPhones == 0 && t.phones > 0;
  }
  std::printf("spectrograms: %s\n", fs::weakly_canonical(out).c_str());
  if (check && !ok) {
    std::fprintf(stderr, "varelo-measure: a figure is not finite or a phone was not spoken\n");
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace mowik

int main(int argc, char** argv) {
  try {
    return mowik::Main(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "varelo-measure: %s\n", e.what());
    return 1;
  }
}
