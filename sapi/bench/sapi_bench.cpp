// The SAPI voice's walk with the real front end, engine and voice: how long a caller waits
// for the first samples of a 200-word text, and how long Speak takes to return after an
// abort; four voice objects speaking at once; and how the planning of one long sentence grows with its words. Prints figures;
// asserts nothing.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "sapi/sentence_plan.h"
#include "sapi/speak_job.h"
#include "sapi/text_spans.h"
#include "varelo/module_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class TimingSite : public mowik::SpeechSite {
 public:
  unsigned Actions() override { return abort ? mowik::kActionAbort : 0; }
  bool Write(const int16_t*, size_t count) override {
    if (writes++ == 0) firstWrite = Clock::now();
    samples += count;
    if (abortAfterFirst && !abort) {
      abort = true;
      abortedAt = Clock::now();
    }
    return true;
  }
  void AddEvents(const std::vector<mowik::VoiceEvent>& events) override { eventCount += events.size(); }
  long Rate() override { return 0; }
  unsigned Volume() override { return 100; }
  bool SkipRequest(long& sentences) override {
    sentences = 0;
    return false;
  }
  void CompleteSkip(long) override {}

  bool abortAfterFirst = false;
  bool abort = false;
  int writes = 0;
  size_t samples = 0, eventCount = 0;
  Clock::time_point firstWrite, abortedAt;
};

}  // namespace

int main() {
  // About 200 words in 12 sentences, with numbers and dates as real texts have them.
  std::wstring text;
  const wchar_t* sentence =
      L"W dniu 12-05-2024 o godzinie 12:30 kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie "
      L"korale koloru koralowego za 15 z\u0142. ";
  for (int i = 0; i < 12; ++i) text += sentence;
  mowik::SentenceVoice voice;
  std::string error;
  if (!voice.Open("pl1", mowik::EngineFolder(), error)) {
    std::fprintf(stderr, "sapi_bench: %s\n", error.c_str());
    return 1;
  }
  mowik::Fragment fragment;
  fragment.text = text;
  const mowik::SpeakerSettings settings;

  for (int round = 0; round < 3; ++round) {
    TimingSite site;
    const Clock::time_point start = Clock::now();
    mowik::SpeakFragments({fragment}, voice, settings, site);
    const double total = MsSince(start);
    std::printf("%zu words: first Write after %.1f ms, whole Speak %.1f ms for %.1f s of speech (%zu events)\n",
                mowik::SplitWords(text).size(), std::chrono::duration<double, std::milli>(site.firstWrite - start).count(), total,
                static_cast<double>(site.samples) / mowik::kVoiceSampleRate, site.eventCount);

    TimingSite aborting;
    aborting.abortAfterFirst = true;
    mowik::SpeakFragments({fragment}, voice, settings, aborting);
    std::printf("           abort after the first Write: Speak returned %.3f ms later\n", MsSince(aborting.abortedAt));
  }

  // Four voice objects speak the text, one after another and then in four threads at once.
  {
    std::vector<mowik::SentenceVoice> voices(4);
    for (mowik::SentenceVoice& each : voices)
      if (!each.Open("pl1", mowik::EngineFolder(), error)) return 1;
    auto speakWith = [&](size_t k) {
      TimingSite site;
      mowik::SpeakFragments({fragment}, voices[k], settings, site);
    };
    Clock::time_point start = Clock::now();
    for (size_t k = 0; k < voices.size(); ++k) speakWith(k);
    const double serial = MsSince(start);
    start = Clock::now();
    std::vector<std::thread> threads;
    for (size_t k = 0; k < voices.size(); ++k) threads.emplace_back(speakWith, k);
    for (std::thread& thread : threads) thread.join();
    const double together = MsSince(start);
    std::printf("four voices, the text each: one after another %.1f ms, in four threads at once %.1f ms (%u cores)\n",
                serial, together, std::thread::hardware_concurrency());
  }

  // One sentence without a full stop in it: the words' places cost a bounded window each, so
  // ten times the words should take about ten times as long.
  const std::wstring clause = L"kr\u00F3l Karol kupi\u0142 12-05-2024 za 15 z\u0142 i ";
  for (int words : {200, 2000}) {
    std::wstring longSentence;
    while (static_cast<int>(mowik::SplitWords(longSentence).size()) < words) longSentence += clause;
    longSentence += L"koniec.";
    const Clock::time_point start = Clock::now();
    const mowik::SentencePlan plan = mowik::PlanSentence(longSentence, {});
    std::printf("one sentence of %zu words: planned with %zu word places in %.1f ms\n",
                mowik::SplitWords(longSentence).size(), plan.words.size(), MsSince(start));
  }
  return 0;
}
