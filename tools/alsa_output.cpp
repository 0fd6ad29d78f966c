#include "tools/alsa_output.h"

#include <alsa/asoundlib.h>

#include <cerrno>

namespace mowik {
namespace {

// ALSA prints its own reasons on standard error; mowik-say says in one line what failed.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AlsaOutput::AlsaOutput(std::string device) : device_(device.empty() ? "default" : std::move(device)) {}

AlsaOutput::~AlsaOutput() {
  if (pcm_) snd_pcm_close(pcm_);
}

bool AlsaOutput::Start(int rate, std::string& error) {
  if (pcm_) return true;
  snd_lib_error_set_handler(QuietAlsa);
  // Non-blocking open: a device another program holds answers "busy" at once instead of
  // keeping mowik-say waiting; writes block again afterwards.
  int status = snd_pcm_open(&pcm_, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (status == 0) status = snd_pcm_nonblock(pcm_, 0);
  // Half a second of buffer: enough to ride out a slow sentence, short enough to stop soon.
  if (status == 0)
    status = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                static_cast<unsigned>(rate), 1, 500000);
  if (status < 0) {
    error = "cannot play on the sound device '" + device_ + "': " + snd_strerror(status);
    if (pcm_) snd_pcm_close(pcm_);
    pcm_ = nullptr;
    return false;
  }
  return true;
}

bool AlsaOutput::Play(const int16_t* samples, size_t count, std::string& error) {
  while (count > 0) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, count);
    if (written == -EINTR || written == -EPIPE || written == -ESTRPIPE) {
      // An underrun (the synthesis fell behind) or a suspend: recover and go on.
      if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) == 0) continue;
    }
    if (written < 0) {
      error = "the sound device '" + device_ + "' failed: " + snd_strerror(static_cast<int>(written));
      return false;
    }
    samples += written;
    count -= static_cast<size_t>(written);
  }
  return true;
}

bool AlsaOutput::Finish(std::string& error) {
  if (!pcm_) return true;
  const int status = snd_pcm_drain(pcm_);
  snd_pcm_close(pcm_);
  pcm_ = nullptr;
  if (status < 0) {
    error = "the sound device '" + device_ + "' failed: " + snd_strerror(status);
    return false;
  }
  return true;
}

}  // namespace mowik
