#pragma once
// The synthesis engine varelo.dll: loaded once per player, its 23 entry points resolved by name.

#include <string>

#include "vrlplay/vrlplay.h"

namespace mowik {

// Entry points the player calls; the other seven are resolved only to check the library.
struct EngineApi {
  int(VRL_API* init)(const char* path);
  int(VRL_API* initRename)(const char* path, const char* first, const char* second);
  void(VRL_API* close)();
  void(VRL_API* reset)();
  int(VRL_API* write)(const char* line);
  int(VRL_API* flush)();
  int(VRL_API* read)(short* samples, int capacity);
  int(VRL_API* lastErrorStr)(char* text, int size);
  void(VRL_API* setNoError)(int flag);
  int(VRL_API* getNoError)();
  void(VRL_API* setFreq)(int frequency);
  int(VRL_API* getFreq)();
  void(VRL_API* setVolumeRatio)(float ratio);
  float(VRL_API* getVolumeRatio)();
  int(VRL_API* getVersion)(char* text, int length);
  int(VRL_API* getDatabaseInfo)(char* text, int size, int index);
};

// Samples read_VRL may place per call; the text buffer of lastErrorStr_VRL.
inline constexpr int kEngineBlockSamples = 4096;
inline constexpr int kEngineErrorTextBytes = 200;

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
  bool Loaded() const { return library_ != nullptr; }
  const EngineApi& Api() const { return api_; }

 private:
  void* library_ = nullptr;
  EngineApi api_{};
};

}  // namespace mowik
