#pragma once
// The synthesis engine varelo.dll: loaded once per player, its 23 entry points resolved by name.

#include <windows.h>

#include "varelo/varelo.h"
#include "win32/scoped_handle.h"

namespace mowik {

// Entry points the player calls, typed as the engine's header declares them; the other seven
// are resolved only to check the library.
struct EngineApi {
  decltype(&init_VRL) init;
  decltype(&init_rename_VRL) initRename;
  decltype(&close_VRL) close;
  decltype(&reset_VRL) reset;
  decltype(&write_VRL) write;
  decltype(&flush_VRL) flush;
  decltype(&read_VRL) read;
  decltype(&lastErrorStr_VRL) lastErrorStr;
  decltype(&setNoError_VRL) setNoError;
  decltype(&getNoError_VRL) getNoError;
  decltype(&setFreq_VRL) setFreq;
  decltype(&getFreq_VRL) getFreq;
  decltype(&setVolumeRatio_VRL) setVolumeRatio;
  decltype(&getVolumeRatio_VRL) getVolumeRatio;
  decltype(&getVersion_VRL) getVersion;
  decltype(&getDatabaseInfo_VRL) getDatabaseInfo;
};

// Samples read_VRL may place per call; the text buffer of lastErrorStr_VRL.
inline constexpr int kEngineBlockSamples = VRL_BLOCK_SAMPLES;
inline constexpr int kEngineErrorTextBytes = VRL_ERROR_TEXT;

class EngineBinding {
 public:
  EngineBinding() = default;
  EngineBinding(const EngineBinding&) = delete;
  EngineBinding& operator=(const EngineBinding&) = delete;
  ~EngineBinding() { Unload(); }

  // Loads varelo.dll from the folder of the module holding this code first (so a file planted
  // in the current directory is not taken instead), then through the normal search, and
  // resolves all 23 names. False, with nothing loaded, when the library or any name is missing.
  bool Load();
  void Unload();
  bool Loaded() const { return static_cast<bool>(library_); }
  const EngineApi& Api() const { return api_; }

 private:
  win32::ScopedModule library_;
  EngineApi api_{};
};

}  // namespace mowik
