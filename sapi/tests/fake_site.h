#pragma once
// SAPI's side of a Speak for the portable tests: collects the samples and events, and raises
// requests (abort, skip, rate, volume) when a given number of writes has been made.

#include <functional>
#include <vector>

#include "sapi/speak_job.h"

namespace mowik {

class FakeSite : public SpeechSite {
 public:
  unsigned Actions() override { return actions; }
  bool Write(const int16_t* data, size_t count) override {
    samples.insert(samples.end(), data, data + count);
    ++writes;
    if (afterWrite) afterWrite(*this);
    return true;
  }
  void AddEvents(const std::vector<VoiceEvent>& added) override {
    for (VoiceEvent event : added) events.push_back(event);
  }
  long Rate() override {
    actions &= ~kActionRate;
    return rate;
  }
  unsigned Volume() override {
    actions &= ~kActionVolume;
    return volume;
  }
  bool SkipRequest(long& sentences) override {
    actions &= ~kActionSkip;
    sentences = skip;
    return true;
  }
  void CompleteSkip(long skipped) override { completedSkips.push_back(skipped); }

  std::vector<VoiceEvent> Of(EventKind kind) const {
    std::vector<VoiceEvent> out;
    for (const VoiceEvent& event : events)
      if (event.kind == kind) out.push_back(event);
    return out;
  }

  unsigned actions = 0;
  long rate = 0;
  unsigned volume = 100;
  long skip = 0;
  std::function<void(FakeSite&)> afterWrite;
  std::vector<int16_t> samples;
  std::vector<VoiceEvent> events;
  std::vector<long> completedSkips;
  int writes = 0;
};

}  // namespace mowik
