#pragma once
// SAPI's part in a Speak where Wine cannot play it: an ISpTTSEngineSite that keeps every byte
// and event the engine hands it, and raises requests when told to after a number of writes.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "sapi/windows/sapi_engine_api.h"

namespace mowik {

struct SeenEvent {
  SPEVENTENUM id;
  SPEVENTLPARAMTYPE type;
  ULONGLONG byteOffset;
  WPARAM wParam;
  LPARAM lParam;
  std::wstring text;  // a bookmark's string, copied while the engine still holds it
};

class TestSite final : public ISpTTSEngineSite {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, kIidSpTtsEngineSite) || IsEqualGUID(riid, kIidSpEventSink)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT* list, ULONG count) override {
    for (ULONG i = 0; i < count; ++i) {
      SeenEvent event{static_cast<SPEVENTENUM>(list[i].eEventId), static_cast<SPEVENTLPARAMTYPE>(list[i].elParamType),
                      list[i].ullAudioStreamOffset, list[i].wParam, list[i].lParam, {}};
      if (event.type == SPET_LPARAM_IS_STRING && list[i].lParam)
        event.text = reinterpret_cast<const wchar_t*>(list[i].lParam);
      events.push_back(event);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override {
    *interest = this->interest;
    return S_OK;
  }
  DWORD STDMETHODCALLTYPE GetActions() override {
    ++actionCalls;
    return actions;
  }
  HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG bytes, ULONG* written) override {
    const auto* from = static_cast<const char*>(data);
    audio.insert(audio.end(), from, from + bytes);
    if (written) *written = bytes;
    ++writes;
    if (afterWrite) afterWrite(*this);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRate(LONG* value) override {
    *value = rate;
    actions &= ~SPVES_RATE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetVolume(USHORT* value) override {
    *value = volume;
    actions &= ~SPVES_VOLUME;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* type, LONG* items) override {
    *type = SPVST_SENTENCE;
    *items = skip;
    actions &= ~SPVES_SKIP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CompleteSkip(LONG skipped) override {
    completedSkips.push_back(skipped);
    return S_OK;
  }

  std::vector<int16_t> Samples() const {
    std::vector<int16_t> samples(audio.size() / 2);
    std::memcpy(samples.data(), audio.data(), samples.size() * 2);
    return samples;
  }
  std::vector<SeenEvent> Of(SPEVENTENUM id) const {
    std::vector<SeenEvent> out;
    for (const SeenEvent& event : events)
      if (event.id == id) out.push_back(event);
    return out;
  }

  ULONGLONG interest = ~0ull;
  DWORD actions = 0;
  LONG rate = 0;
  USHORT volume = 100;
  LONG skip = 0;
  std::function<void(TestSite&)> afterWrite;
  std::vector<char> audio;
  std::vector<SeenEvent> events;
  std::vector<LONG> completedSkips;
  int writes = 0;
  int actionCalls = 0;
};

}  // namespace mowik
