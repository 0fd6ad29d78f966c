#pragma once
// The voice object SAPI creates: ISpTTSEngine over the portable walk, and ISpObjectWithToken
// for the token it was created from. Free-threaded: one Speak at a time per object; several
// objects in a process speak at once, each with its own draws of the intonation.

#include <atomic>
#include <mutex>
#include <string>

#include "mowik/program/random_between.h"
#include "sapi/sentence_voice.h"
#include "sapi/windows/sapi_engine_api.h"

namespace mowik {

class MowikVoice final : public ISpTTSEngine, public ISpObjectWithToken {
 public:
  MowikVoice();
  ~MowikVoice();

  // IUnknown (one count for both interfaces).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // ISpTTSEngine
  HRESULT STDMETHODCALLTYPE Speak(DWORD flags, REFGUID formatId, const WAVEFORMATEX* format,
                                  const SPVTEXTFRAG* fragments, ISpTTSEngineSite* site) override;
  HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* targetFormatId, const WAVEFORMATEX* targetFormat,
                                            GUID* formatId, WAVEFORMATEX** format) override;

  // ISpObjectWithToken
  HRESULT STDMETHODCALLTYPE SetObjectToken(ISpObjectToken* token) override;
  HRESULT STDMETHODCALLTYPE GetObjectToken(ISpObjectToken** token) override;

 private:
  // Loads the voice and the settings unless done; false when the voice cannot be loaded.
  bool OpenVoice();
  uint64_t RandomSeed() const;

  std::atomic<ULONG> refs_{1};
  std::mutex mutex_;  // one Speak at a time; guards voice_ and token_
  ISpObjectToken* token_ = nullptr;
  SentenceVoice voice_;
  RandomSource random_{RandomSeed()};  // this object's own draws: objects speak at once
  bool opened_ = false;
  std::string openError_;
};

// Objects and locks alive in the process, for DllCanUnloadNow.
extern std::atomic<long> gModuleUsers;

}  // namespace mowik
