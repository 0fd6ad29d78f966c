#include "speechd/message_speaker.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "mowik/platform/current_options.h"
#include "sapi/sentence_plan.h"
#include "sapi/text_spans.h"
#include "speechd/spoken_characters.h"
#include "tools/utf8_text.h"

namespace mowik::speechd {
namespace {

struct PlacedMark {
  size_t position;  // in the run's text: the mark stands before this character
  std::string name;
};

// Text of one voice state with the marks inside it, or a silence.
struct TextRun {
  std::wstring text;
  bool characters = false;
  Prosody prosody;
  std::vector<PlacedMark> marks;
  int silenceMs = -1;  // >= 0: a break, no text
};

std::vector<TextRun> RunsOf(const std::vector<Segment>& segments) {
  std::vector<TextRun> runs;
  for (const Segment& segment : segments) {
    switch (segment.kind) {
      case SegmentKind::kText: {
        const bool sameState = !runs.empty() && runs.back().silenceMs < 0 &&
                               runs.back().characters == segment.characters &&
                               runs.back().prosody == segment.prosody;
        if (!sameState) {
          runs.emplace_back();
          runs.back().characters = segment.characters;
          runs.back().prosody = segment.prosody;
        }
        runs.back().text += TextOfUtf8(segment.text);
        break;
      }
      case SegmentKind::kMark:
        // A mark after a run's text comes at its end, which is where the next one starts.
        if (runs.empty() || runs.back().silenceMs >= 0) runs.emplace_back();
        runs.back().marks.push_back({runs.back().text.size(), segment.text});
        break;
      case SegmentKind::kBreak:
        runs.emplace_back();
        runs.back().silenceMs = segment.breakMs;
        break;
    }
  }
  return runs;
}

bool IsServerMark(const std::string& name) { return name.rfind("__spd_", 0) == 0; }

class MessageWalk {
 public:
  MessageWalk(const MessageVoice& voice, SentenceVoice& engine, SpeechOutput& output,
              const std::function<SpeakRequest()>& request)
      : voice_(voice), engine_(engine), output_(output), request_(request), options_(MessageNormaliseOptions(voice)) {}

  MessageEnd Run(const std::vector<Segment>& segments, std::string& error) {
    for (TextRun& run : RunsOf(segments)) {
      if (run.silenceMs >= 0) {
        Silence(run.silenceMs);
      } else {
        if (run.characters || voice_.settings.spelling) Spell(run);
        Speak(run);
      }
      if (end_) break;
    }
    if (end_ == MessageEnd::kFailed) error = error_;
    return end_.value_or(MessageEnd::kEnd);
  }

 private:
  bool Attend() {
    if (end_) return false;
    if (request_ && request_() == SpeakRequest::kStop) end_ = MessageEnd::kStopped;
    return !end_;
  }

  void EmitMark(const std::string& name) {
    if (!Attend()) return;
    output_.Mark(name);
    if (IsServerMark(name) && request_ && request_() == SpeakRequest::kPause) end_ = MessageEnd::kPaused;
  }

  void EmitAudio(const int16_t* samples, size_t count) {
    for (size_t done = 0; done < count && Attend();) {
      const size_t block = std::min(kAudioBlockSamples, count - done);
      output_.Audio(samples + done, block);
      done += block;
    }
  }

  void Silence(int ms) {
    const std::vector<int16_t> silence(static_cast<size_t>(ms) * kVoiceSampleRate / 1000, 0);
    EmitAudio(silence.data(), silence.size());
  }

  // The run's text spelled out, its marks moved to the spelled words of their characters.
  void Spell(TextRun& run) {
    std::vector<size_t> offsets;
    run.text = SpelledText(run.text, voice_.settings.capitals, &offsets);
    for (PlacedMark& mark : run.marks) mark.position = offsets[std::min(mark.position, offsets.size() - 1)];
  }

  void Speak(const TextRun& run) {
    size_t nextMark = 0;
    auto marksUpTo = [&](size_t position) {
      while (nextMark < run.marks.size() && run.marks[nextMark].position <= position && !end_)
        EmitMark(run.marks[nextMark++].name);
    };
    const double pitch = voice_.user.pitchRatio * PitchRatioOfPitch(voice_.settings.pitch) * run.prosody.pitch;
    const double duration = voice_.user.durationRatio * DurationRatioOfRate(voice_.settings.rate) / run.prosody.speed;
    // The server applies its volume setting as it plays; <prosody volume> is the module's.
    const double amplitude = run.prosody.volume;
    for (const TextSpan& sentence : SplitSentences(run.text)) {
      marksUpTo(sentence.start);
      if (!Attend()) return;
      const std::wstring_view text = std::wstring_view(run.text).substr(sentence.start, sentence.length);
      // Word places only where a mark needs one.
      const bool marked = nextMark < run.marks.size() && run.marks[nextMark].position < sentence.end();
      const SentencePlan plan = PlanSentence(text, options_, marked);
      output_.Sentence(text, plan.phonemes);
      std::vector<int16_t> samples;
      std::string error;
      if (!engine_.Render(plan.phonemes, pitch, duration, samples, [&] { return Attend(); }, error)) {
        if (!error.empty() && !end_) {
          end_ = MessageEnd::kFailed;
          error_ = error;
        }
        return;
      }
      ScaleSamples(samples.data(), samples.size(), amplitude);

      // Each mark inside the sentence goes before the first word that starts at or after it.
      const std::vector<size_t> wordOffsets = WordSampleOffsets(plan, samples.size());
      size_t sent = 0;
      while (nextMark < run.marks.size() && run.marks[nextMark].position < sentence.end() && !end_) {
        const size_t within = run.marks[nextMark].position - sentence.start;
        size_t at = samples.size();
        for (size_t w = 0; w < plan.words.size(); ++w)
          if (plan.words[w].source.start >= within) {
            at = std::max(sent, wordOffsets[w]);
            break;
          }
        EmitAudio(samples.data() + sent, at - sent);
        sent = at;
        EmitMark(run.marks[nextMark++].name);
      }
      EmitAudio(samples.data() + sent, samples.size() - sent);
    }
    marksUpTo(run.text.size());
  }

  const MessageVoice& voice_;
  SentenceVoice& engine_;
  SpeechOutput& output_;
  const std::function<SpeakRequest()>& request_;
  const NormaliseOptions options_;
  std::optional<MessageEnd> end_;
  std::string error_;
};

}  // namespace

NormaliseOptions MessageNormaliseOptions(const MessageVoice& voice) {
  NormaliseOptions options;
  options.spellCapital = voice.user.spellCapital;
  options.dictionary = voice.user.dictionary;
  options.regional = UserRegionalSettings();
  options.natural = voice.naturalReading;  // mowik.conf's MowikNaturalReading, on by default
  return options;
}

MessageEnd SpeakSegments(const std::vector<Segment>& segments, const MessageVoice& voice, SentenceVoice& engine,
                         SpeechOutput& output, const std::function<SpeakRequest()>& request, std::string& error) {
  MessageWalk walk(voice, engine, output, request);
  return walk.Run(segments, error);
}

std::wstring TextOfUtf8(std::string_view bytes) {
  std::wstring text;
  while (!bytes.empty()) {
    size_t bad = 0;
    if (std::optional<std::wstring> whole = DecodeUtf8(bytes, &bad)) return text + *whole;
    if (bad > 0) text += DecodeUtf8(bytes.substr(0, bad)).value_or(std::wstring());
    text += L'\uFFFD';
    bytes.remove_prefix(bad + 1);
  }
  return text;
}

}  // namespace mowik::speechd
