#include "sapi/speak_job.h"

#include <algorithm>
#include <climits>

#include "mowik/platform/current_options.h"
#include "sapi/sentence_plan.h"
#include "sapi/text_spans.h"
#include "sapi/voice_math.h"

namespace mowik {
namespace {

// What the walk does next: a sentence of a fragment, a silence or a bookmark.
struct Step {
  FragmentAction action;
  const Fragment* fragment;
  TextSpan span;  // the sentence within the fragment's text
};

std::vector<Step> StepsOf(const std::vector<Fragment>& fragments) {
  std::vector<Step> steps;
  for (const Fragment& fragment : fragments) {
    switch (fragment.action) {
      case FragmentAction::kSpeak:
      case FragmentAction::kPronounce:  // SAPI's phone ids are not ours; the text is spoken
      case FragmentAction::kSpellOut:
        for (const TextSpan& sentence : SplitSentences(fragment.text))
          steps.push_back({FragmentAction::kSpeak, &fragment, sentence});
        break;
      case FragmentAction::kSilence:
      case FragmentAction::kBookmark:
        steps.push_back({fragment.action, &fragment, {}});
        break;
      case FragmentAction::kSection:
      case FragmentAction::kParseUnknownTag:
        break;
    }
  }
  return steps;
}

class Walk {
 public:
  Walk(const std::vector<Fragment>& fragments, SentenceVoice& voice, const SpeakerSettings& settings, SpeechSite& site)
      : steps_(StepsOf(fragments)), voice_(voice), settings_(settings), site_(site) {
    for (size_t i = 0; i < steps_.size(); ++i)
      if (steps_[i].action == FragmentAction::kSpeak) sentenceSteps_.push_back(i);
  }

  SpeakResult Run() {
    rate_ = site_.Rate();
    volume_ = site_.Volume();
    for (step_ = 0; step_ < steps_.size() && result_.outcome == SpeakOutcome::kDone;) {
      if (!Attend()) break;
      if (jumped_) {
        jumped_ = false;
        continue;
      }
      const Step& step = steps_[step_];
      if (step.action == FragmentAction::kBookmark) {
        VoiceEvent event;
        event.kind = EventKind::kBookmark;
        event.byteOffset = result_.bytesWritten;
        event.sourceOffset = step.fragment->sourceOffset;
        event.bookmark = std::wstring(step.fragment->text);
        event.bookmarkValue = BookmarkValue(event.bookmark);
        site_.AddEvents({event});
      } else if (step.action == FragmentAction::kSilence) {
        const size_t count = static_cast<size_t>(std::min(step.fragment->silenceMs, 600000u)) * kVoiceSampleRate / 1000;
        std::vector<int16_t> silence(count, 0);
        WriteSamples(silence, *step.fragment);
      } else {
        SpeakSentence(step);
      }
      if (jumped_) {
        jumped_ = false;
        continue;
      }
      ++step_;
    }
    return result_;
  }

 private:
  // Looks at the caller's requests. False when Speak must end now.
  bool Attend() {
    const unsigned actions = site_.Actions();
    if (actions & kActionAbort) {
      result_.outcome = SpeakOutcome::kAborted;
      return false;
    }
    if (actions & kActionRate) rate_ = site_.Rate();
    if (actions & kActionVolume) volume_ = site_.Volume();
    if (actions & kActionSkip) Skip();
    return true;
  }

  // Moves step_ to the sentence a skip lands on.
  void Skip() {
    long requested = 0;
    if (!site_.SkipRequest(requested)) {
      site_.CompleteSkip(0);
      return;
    }
    // The sentence being spoken, or the next one when between sentences.
    const size_t current = static_cast<size_t>(
        std::lower_bound(sentenceSteps_.begin(), sentenceSteps_.end(), step_) - sentenceSteps_.begin());
    const SkipResult skip = SkipTarget(current, sentenceSteps_.size(), requested);
    site_.CompleteSkip(skip.skipped);
    step_ = skip.target < sentenceSteps_.size() ? sentenceSteps_[skip.target] : steps_.size();
    jumped_ = true;
  }

  void SpeakSentence(const Step& step) {
    const Fragment& fragment = *step.fragment;
    const std::wstring_view text = fragment.text.substr(step.span.start, step.span.length);
    NormaliseOptions options;
    options.spellCapital = settings_.spellCapital;
    options.natural = settings_.natural;
    options.dictionary = settings_.dictionary;
    options.random = settings_.random;
    options.regional = UserRegionalSettings();
    const SentencePlan plan = PlanSentence(text, options);

    const double pitch = settings_.pitchRatio * PitchFactor(fragment.pitchMiddle);
    const double duration = settings_.durationRatio * DurationFactor(CombinedRate(rate_, fragment.rateAdjust));
    std::vector<int16_t> samples;
    std::string error;
    // While synthesising only an abort or a skip matter; they are answered after the block.
    const bool rendered = voice_.Render(plan.phonemes, pitch, duration, samples,
                                        [&] { return (site_.Actions() & (kActionAbort | kActionSkip)) == 0; }, error);
    if (!rendered) {
      if (!error.empty()) {
        result_.outcome = SpeakOutcome::kFailed;
        result_.error = error;
      } else {
        Attend();
      }
      return;
    }

    const size_t sentenceStart = fragment.sourceOffset + step.span.start;
    std::vector<VoiceEvent> events;
    VoiceEvent sentence;
    sentence.kind = EventKind::kSentence;
    sentence.byteOffset = result_.bytesWritten;
    sentence.sourceOffset = sentenceStart;
    sentence.length = step.span.length;
    events.push_back(sentence);
    const std::vector<size_t> offsets = WordSampleOffsets(plan, samples.size());
    for (size_t i = 0; i < plan.words.size(); ++i) {
      VoiceEvent word;
      word.kind = EventKind::kWord;
      word.byteOffset = result_.bytesWritten + 2 * static_cast<uint64_t>(offsets[i]);
      word.sourceOffset = sentenceStart + plan.words[i].source.start;
      word.length = plan.words[i].source.length;
      events.push_back(word);
    }
    site_.AddEvents(events);
    WriteSamples(samples, fragment);
  }

  // Writes in blocks, answering the caller's requests before each block after the first.
  void WriteSamples(std::vector<int16_t>& samples, const Fragment& fragment) {
    for (size_t at = 0; at < samples.size(); at += kWriteBlockSamples) {
      if (at > 0 && (!Attend() || jumped_)) return;
      const size_t count = std::min(kWriteBlockSamples, samples.size() - at);
      ScaleSamples(samples.data() + at, count, VolumeRatio(volume_, fragment.volume));
      if (!site_.Write(samples.data() + at, count)) {
        result_.outcome = SpeakOutcome::kAborted;
        return;
      }
      result_.bytesWritten += 2 * static_cast<uint64_t>(count);
    }
  }

  std::vector<Step> steps_;
  std::vector<size_t> sentenceSteps_;  // indices of the sentence steps
  SentenceVoice& voice_;
  const SpeakerSettings& settings_;
  SpeechSite& site_;
  SpeakResult result_;
  size_t step_ = 0;
  bool jumped_ = false;
  long rate_ = 0;
  unsigned volume_ = 100;
};

}  // namespace

long BookmarkValue(std::wstring_view name) {
  size_t i = 0;
  while (i < name.size() && IsBlankChar(name[i])) ++i;
  bool negative = false;
  if (i < name.size() && (name[i] == L'-' || name[i] == L'+')) negative = name[i++] == L'-';
  long value = 0;
  for (; i < name.size() && name[i] >= L'0' && name[i] <= L'9'; ++i) {
    const long digit = name[i] - L'0';
    if (value > (LONG_MAX - digit) / 10) return negative ? -LONG_MAX : LONG_MAX;  // saturates
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

SpeakResult SpeakFragments(const std::vector<Fragment>& fragments, SentenceVoice& voice,
                           const SpeakerSettings& settings, SpeechSite& site) {
  return Walk(fragments, voice, settings, site).Run();
}

}  // namespace mowik
