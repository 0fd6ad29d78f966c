#pragma once
// The engine side of SAPI 5, which mingw-w64's headers leave out (they ship the client side,
// sapi.h, but not sapiddk.h): the text fragment list and the two interfaces between SAPI and
// a TTS engine, declared from their documented layouts, vtable order and identifiers.

#include <windows.h>
#include <sapi.h>

// The text SAPI hands an engine: a list of fragments, each with the XML state in force.
typedef struct SPVTEXTFRAG {
  struct SPVTEXTFRAG* pNext;
  SPVSTATE State;
  LPCWSTR pTextStart;
  ULONG ulTextLen;
  ULONG ulTextSrcOffset;  // where pTextStart lies in the text given to ISpVoice::Speak
} SPVTEXTFRAG;

// What ISpTTSEngineSite::GetActions reports.
typedef enum SPVESACTIONS {
  SPVES_CONTINUE = 0,
  SPVES_ABORT = 1 << 0,
  SPVES_SKIP = 1 << 1,
  SPVES_RATE = 1 << 2,
  SPVES_VOLUME = 1 << 3,
} SPVESACTIONS;

typedef enum SPVSKIPTYPE { SPVST_SENTENCE = 1 << 0 } SPVSKIPTYPE;

// Implemented by SAPI (the voice object): where the engine writes audio and events.
MIDL_INTERFACE("9880499B-CCE9-11D2-B503-00C04F797396")
ISpTTSEngineSite : public ISpEventSink {
 public:
  virtual DWORD STDMETHODCALLTYPE GetActions() = 0;
  virtual HRESULT STDMETHODCALLTYPE Write(const void* pBuff, ULONG cb, ULONG* pcbWritten) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRate(LONG* pRateAdjust) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVolume(USHORT* pusVolume) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* peType, LONG* plNumItems) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompleteSkip(LONG ulNumSkipped) = 0;
};

// Implemented by the engine.
MIDL_INTERFACE("A74D7C8E-4CC5-4F2F-A6EB-804DEE18500E")
ISpTTSEngine : public IUnknown {
 public:
  virtual HRESULT STDMETHODCALLTYPE Speak(DWORD dwSpeakFlags, REFGUID rguidFormatId, const WAVEFORMATEX* pWaveFormatEx,
                                          const SPVTEXTFRAG* pTextFragList, ISpTTSEngineSite* pOutputSite) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* pTargetFmtId, const WAVEFORMATEX* pTargetWaveFormatEx,
                                                    GUID* pOutputFormatId, WAVEFORMATEX** ppCoMemOutputWaveFormatEx) = 0;
};

namespace mowik {

inline constexpr GUID kIidSpTtsEngine = {0xA74D7C8E, 0x4CC5, 0x4F2F, {0xA6, 0xEB, 0x80, 0x4D, 0xEE, 0x18, 0x50, 0x0E}};
inline constexpr GUID kIidSpTtsEngineSite = {0x9880499B, 0xCCE9, 0x11D2, {0xB5, 0x03, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
inline constexpr GUID kIidSpEventSink = {0xBE7A9CC9, 0x5F9E, 0x11D2, {0x96, 0x0F, 0x00, 0xC0, 0x4F, 0x8E, 0xE6, 0x28}};
inline constexpr GUID kIidSpObjectWithToken = {0x5B559F40, 0xE952, 0x11D2, {0xBB, 0x91, 0x00, 0xC0, 0x4F, 0x8E, 0xE6, 0xC0}};
// The stream format "WAVEFORMATEX follows" (SPDFID_WaveFormatEx) and "text" (SPDFID_Text).
inline constexpr GUID kFormatWaveFormatEx = {0xC31ADBAE, 0x527F, 0x4FF5, {0xA2, 0x30, 0xF6, 0x2B, 0xB6, 0x1F, 0xF7, 0x0C}};
inline constexpr GUID kFormatText = {0x7CEEF9F9, 0x3D13, 0x11D2, {0x9E, 0xE7, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};

// Mowik's voice class.
inline constexpr GUID kClsidMowikVoice = {0x1E606EF4, 0xBF3A, 0x431E, {0xA2, 0x3C, 0x5E, 0xA8, 0xD3, 0x8D, 0x03, 0x66}};
inline constexpr wchar_t kClsidMowikVoiceText[] = L"{1E606EF4-BF3A-431E-A23C-5EA8D38D0366}";

}  // namespace mowik
