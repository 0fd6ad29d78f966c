#pragma once
// mowik-say's sound device on Linux: an ALSA playback device by name ("default" reaches
// PipeWire or PulseAudio on a desktop).

#include <string>

#include "tools/pcm_output.h"

typedef struct _snd_pcm snd_pcm_t;

namespace mowik {

class AlsaOutput final : public PcmOutput {
 public:
  // device: an ALSA device name; empty means "default".
  explicit AlsaOutput(std::string device);
  ~AlsaOutput() override;
  AlsaOutput(const AlsaOutput&) = delete;
  AlsaOutput& operator=(const AlsaOutput&) = delete;

  bool Start(int rate, std::string& error) override;
  bool Play(const int16_t* samples, size_t count, std::string& error) override;
  bool Finish(std::string& error) override;

 private:
  std::string device_;
  snd_pcm_t* pcm_ = nullptr;
};

}  // namespace mowik
