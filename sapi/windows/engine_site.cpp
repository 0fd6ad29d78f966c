#include "sapi/windows/engine_site.h"

#include <algorithm>

namespace mowik {
namespace {

// The portable core numbers the caller's requests and the fragments' actions as SAPI does, so
// that GetActions' bits and a fragment's eAction pass through unchanged.
static_assert(kActionAbort == unsigned{SPVES_ABORT} && kActionSkip == unsigned{SPVES_SKIP} &&
              kActionRate == unsigned{SPVES_RATE} && kActionVolume == unsigned{SPVES_VOLUME});
static_assert(static_cast<int>(FragmentAction::kSpeak) == SPVA_Speak &&
              static_cast<int>(FragmentAction::kSilence) == SPVA_Silence &&
              static_cast<int>(FragmentAction::kPronounce) == SPVA_Pronounce &&
              static_cast<int>(FragmentAction::kBookmark) == SPVA_Bookmark &&
              static_cast<int>(FragmentAction::kSpellOut) == SPVA_SpellOut &&
              static_cast<int>(FragmentAction::kSection) == SPVA_Section &&
              static_cast<int>(FragmentAction::kParseUnknownTag) == SPVA_ParseUnknownTag);

SPEVENTENUM EventId(EventKind kind) {
  switch (kind) {
    case EventKind::kSentence: return SPEI_SENTENCE_BOUNDARY;
    case EventKind::kWord: return SPEI_WORD_BOUNDARY;
    case EventKind::kBookmark: return SPEI_TTS_BOOKMARK;
  }
  return SPEI_UNDEFINED;
}

}  // namespace

EngineSite::EngineSite(ISpTTSEngineSite* site) : site_(site) {
  // A caller that cannot say gets every event the voice makes.
  if (FAILED(site_->GetEventInterest(&interest_))) interest_ = ~0ull;
}

unsigned EngineSite::Actions() { return static_cast<unsigned>(site_->GetActions()); }

bool EngineSite::Write(const int16_t* samples, size_t count) {
  const ULONG bytes = static_cast<ULONG>(count * sizeof(int16_t));
  ULONG written = 0;
  return SUCCEEDED(site_->Write(samples, bytes, &written));
}

SPEVENT ToSpEvent(const VoiceEvent& event) {
  SPEVENT out{};
  out.eEventId = EventId(event.kind);
  out.ulStreamNum = 0;
  out.ullAudioStreamOffset = event.byteOffset;
  if (event.kind == EventKind::kBookmark) {
    out.elParamType = SPET_LPARAM_IS_STRING;
    out.wParam = static_cast<WPARAM>(event.bookmarkValue);
    out.lParam = reinterpret_cast<LPARAM>(event.bookmark.c_str());
  } else {
    out.elParamType = SPET_LPARAM_IS_UNDEFINED;
    out.wParam = static_cast<WPARAM>(event.length);
    out.lParam = static_cast<LPARAM>(event.sourceOffset);
  }
  return out;
}

void EngineSite::AddEvents(const std::vector<VoiceEvent>& events) {
  std::vector<SPEVENT> wanted;
  for (const VoiceEvent& event : events) {
    const SPEVENT converted = ToSpEvent(event);
    if (interest_ & (1ull << converted.eEventId)) wanted.push_back(converted);
  }
  if (!wanted.empty()) site_->AddEvents(wanted.data(), static_cast<ULONG>(wanted.size()));
}

long EngineSite::Rate() {
  LONG rate = 0;
  return SUCCEEDED(site_->GetRate(&rate)) ? rate : 0;
}

unsigned EngineSite::Volume() {
  USHORT volume = 100;
  return SUCCEEDED(site_->GetVolume(&volume)) ? volume : 100u;
}

bool EngineSite::SkipRequest(long& sentences) {
  SPVSKIPTYPE type = SPVST_SENTENCE;
  LONG items = 0;
  if (FAILED(site_->GetSkipInfo(&type, &items)) || type != SPVST_SENTENCE) return false;
  sentences = items;
  return true;
}

void EngineSite::CompleteSkip(long skipped) { site_->CompleteSkip(skipped); }

std::vector<Fragment> ToFragments(const SPVTEXTFRAG* list) {
  std::vector<Fragment> fragments;
  for (const SPVTEXTFRAG* frag = list; frag; frag = frag->pNext) {
    Fragment f;
    const int action = static_cast<int>(frag->State.eAction);
    f.action = action >= SPVA_Speak && action <= SPVA_ParseUnknownTag ? static_cast<FragmentAction>(action)
                                                                        : FragmentAction::kParseUnknownTag;
    if (frag->pTextStart) f.text = std::wstring_view(frag->pTextStart, frag->ulTextLen);
    f.sourceOffset = frag->ulTextSrcOffset;
    f.rateAdjust = frag->State.RateAdj;
    f.volume = static_cast<unsigned>(std::min<ULONG>(frag->State.Volume, 100));
    f.pitchMiddle = frag->State.PitchAdj.MiddleAdj;
    f.silenceMs = frag->State.SilenceMSecs;
    fragments.push_back(f);
  }
  return fragments;
}

}  // namespace mowik
