#include "sapi/windows/mowik_voice.h"

#include <chrono>
#include <new>

#include "sapi/speaker_settings.h"
#include "sapi/windows/engine_site.h"
#include "varelo/module_folder.h"
#include "win32/module_folder.h"

namespace mowik {

std::atomic<long> gModuleUsers{0};

namespace {

// The user's settings, read once per process when the first voice speaks.
const SpeakerSettings& Settings() {
  static const SpeakerSettings settings = LoadSpeakerSettings(win32::ModuleFolder(win32::ThisModule()));
  return settings;
}

WAVEFORMATEX VoiceFormat() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kVoiceSampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = kVoiceSampleRate * 2;
  format.cbSize = 0;
  return format;
}

}  // namespace

MowikVoice::MowikVoice() { ++gModuleUsers; }

MowikVoice::~MowikVoice() {
  if (token_) token_->Release();
  --gModuleUsers;
}

HRESULT MowikVoice::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, kIidSpTtsEngine)) {
    *object = static_cast<ISpTTSEngine*>(this);
  } else if (IsEqualGUID(riid, kIidSpObjectWithToken)) {
    *object = static_cast<ISpObjectWithToken*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG MowikVoice::AddRef() { return ++refs_; }

ULONG MowikVoice::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT MowikVoice::GetOutputFormat(const GUID*, const WAVEFORMATEX*, GUID* formatId, WAVEFORMATEX** format) {
  // One format whatever the caller would like: SAPI converts it for the output.
  if (!formatId || !format) return E_POINTER;
  *format = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
  if (!*format) return E_OUTOFMEMORY;
  **format = VoiceFormat();
  *formatId = kFormatWaveFormatEx;
  return S_OK;
}

HRESULT MowikVoice::Speak(DWORD, REFGUID formatId, const WAVEFORMATEX* format, const SPVTEXTFRAG* fragments,
                          ISpTTSEngineSite* site) {
  if (!site) return E_INVALIDARG;
  const WAVEFORMATEX ours = VoiceFormat();
  if (!IsEqualGUID(formatId, kFormatWaveFormatEx) || !format || format->wFormatTag != WAVE_FORMAT_PCM ||
      format->nChannels != 1 || format->nSamplesPerSec != ours.nSamplesPerSec || format->wBitsPerSample != 16)
    return E_INVALIDARG;

  std::lock_guard lock(mutex_);
  if (!OpenVoice()) return E_FAIL;
  try {
    const std::vector<Fragment> list = ToFragments(fragments);
    EngineSite engineSite(site);
    SpeakerSettings settings = Settings();
    settings.random = &random_;
    const SpeakResult result = SpeakFragments(list, voice_, settings, engineSite);
    return result.outcome == SpeakOutcome::kFailed ? E_FAIL : S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;  // nothing crosses COM as an exception
  }
}

uint64_t MowikVoice::RandomSeed() const {
  // Objects made within one clock tick still draw apart.
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
         static_cast<uint64_t>(reinterpret_cast<uintptr_t>(this));
}

bool MowikVoice::OpenVoice() {
  if (!opened_) opened_ = voice_.Open("pl1", EngineFolder(), openError_);
  if (opened_) Settings();
  return opened_;
}

HRESULT MowikVoice::SetObjectToken(ISpObjectToken* token) {
  std::lock_guard lock(mutex_);
  if (token) token->AddRef();
  if (token_) token_->Release();
  token_ = token;
  // SAPI hands the token over right after creating the voice: loading the voice and the
  // settings now spares the first Speak that wait. A failure is reported by Speak.
  OpenVoice();
  return S_OK;
}

HRESULT MowikVoice::GetObjectToken(ISpObjectToken** token) {
  if (!token) return E_POINTER;
  std::lock_guard lock(mutex_);
  *token = token_;
  if (!token_) return S_FALSE;
  token_->AddRef();
  return S_OK;
}

}  // namespace mowik
