// mowik-sapi.dll of the Windows folder driven through ISpTTSEngine as SAPI drives it: time
// from Speak to the first Write for a text of about 200 words, and from an abort request to
// Speak's return. Prints figures; asserts nothing.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "sapi/windows/sapi_engine_api.h"
#include "sapi/windows/tests/dll_under_test.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class TimingSite final : public ISpTTSEngineSite {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE AddEvents(const SPEVENT*, ULONG count) override {
    events += count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEventInterest(ULONGLONG* interest) override {
    *interest = ~0ull;
    return S_OK;
  }
  DWORD STDMETHODCALLTYPE GetActions() override { return abort ? SPVES_ABORT : SPVES_CONTINUE; }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG bytes, ULONG* written) override {
    if (writes++ == 0) firstWrite = Clock::now();
    total += bytes;
    if (written) *written = bytes;
    if (abortAfterFirst && !abort) {
      abort = true;
      abortAt = Clock::now();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRate(LONG* rate) override {
    *rate = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetVolume(USHORT* volume) override {
    *volume = 100;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* type, LONG* items) override {
    *type = SPVST_SENTENCE;
    *items = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CompleteSkip(LONG) override { return S_OK; }

  bool abortAfterFirst = false, abort = false;
  int writes = 0;
  ULONG events = 0;
  unsigned long long total = 0;
  Clock::time_point firstWrite, abortAt;
};

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const std::wstring dll = std::wstring(MOWIK_PRODUCT_DIR) + L"/mowik-sapi.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get = module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject"))) : nullptr;
  IClassFactory* factory = nullptr;
  ISpTTSEngine* engine = nullptr;
  if (!get || FAILED(get(mowik::kClsidMowikVoice, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateInstance(nullptr, mowik::kIidSpTtsEngine, reinterpret_cast<void**>(&engine)))) {
    std::fprintf(stderr, "sapi_dll_bench: cannot create the voice from %ls\n", dll.c_str());
    return 1;
  }
  factory->Release();
  // SAPI hands the voice its token before the first Speak; the voice loads then.
  ISpObjectWithToken* withToken = nullptr;
  const Clock::time_point loadStart = Clock::now();
  if (SUCCEEDED(engine->QueryInterface(mowik::kIidSpObjectWithToken, reinterpret_cast<void**>(&withToken)))) {
    withToken->SetObjectToken(nullptr);
    withToken->Release();
  }
  std::printf("SetObjectToken (loads the voice and the settings): %.1f ms\n", Ms(loadStart, Clock::now()));

  // 12 sentences of 17 words, numbers and dates among them: 204 words.
  std::wstring text;
  for (int i = 0; i < 12; ++i)
    text += L"W dniu 12-05-2024 o godzinie 12:30 kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie "
            L"korale koloru koralowego za 15 z\u0142. ";
  SPVTEXTFRAG frag{};
  frag.State.eAction = SPVA_Speak;
  frag.State.Volume = 100;
  frag.pTextStart = text.c_str();
  frag.ulTextLen = static_cast<ULONG>(text.size());
  const WAVEFORMATEX format = mowik::VoiceFormat();

  for (int round = 0; round < 3; ++round) {
    TimingSite site;
    const Clock::time_point start = Clock::now();
    engine->Speak(0, mowik::kFormatWaveFormatEx, &format, &frag, &site);
    const Clock::time_point end = Clock::now();
    std::printf("204 words: first Write %.1f ms after Speak; Speak took %.1f ms for %.1f s of speech, %lu events\n",
                Ms(start, site.firstWrite), Ms(start, end), site.total / 32000.0, site.events);
    TimingSite aborting;
    aborting.abortAfterFirst = true;
    engine->Speak(0, mowik::kFormatWaveFormatEx, &format, &frag, &aborting);
    std::printf("           abort after the first Write: Speak returned %.3f ms later\n", Ms(aborting.abortAt, Clock::now()));
  }
  engine->Release();
  CoUninitialize();
  return 0;
}
