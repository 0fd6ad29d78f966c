#pragma once
// SAPI's ISpTTSEngineSite seen as the portable walk's SpeechSite: samples become bytes,
// VoiceEvents become SPEVENTs (those the caller asked for).

#include "sapi/speak_job.h"
#include "sapi/windows/sapi_engine_api.h"

namespace mowik {

class EngineSite final : public SpeechSite {
 public:
  explicit EngineSite(ISpTTSEngineSite* site);

  unsigned Actions() override;
  bool Write(const int16_t* samples, size_t count) override;
  void AddEvents(const std::vector<VoiceEvent>& events) override;
  long Rate() override;
  unsigned Volume() override;
  bool SkipRequest(long& sentences) override;
  void CompleteSkip(long skipped) override;

 private:
  ISpTTSEngineSite* site_;
  ULONGLONG interest_ = 0;
};

// The SPEVENT for a VoiceEvent: sentence and word boundaries carry the length (wParam) and
// the place in the caller's text (lParam); a bookmark its number (wParam) and its name as a
// string (lParam, pointing into event.bookmark, which must outlive the SPEVENT's use).
SPEVENT ToSpEvent(const VoiceEvent& event);

// The fragments of SAPI's list in Mowik's terms; the text stays SAPI's (valid during Speak).
std::vector<Fragment> ToFragments(const SPVTEXTFRAG* list);

}  // namespace mowik
