// The seven exports. Handles are checked against the set of live ones, so a stale or made-up
// handle gets a refusal rather than a crash.
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "vovedodudo/device_stream.h"
#include "vovedodudo/vovedodudo.h"
#include "soundformat/sound_file_writer.h"

namespace mowik {
namespace {

struct Audio {
  std::unique_ptr<DeviceStream> device;  // mode 1
  SoundFileWriter file;  // mode 2
};

std::mutex liveLock;
std::set<Audio*>& Live() {
  static std::set<Audio*> live;
  return live;
}

// Devices whose driver had not handed every buffer back when they were closed: kept, with
// their buffers, until it has. Guarded by liveLock. Never destroyed: what is still here when
// the process ends may still be the driver's.
std::vector<std::unique_ptr<Audio>>& Closing() {
  static auto* closing = new std::vector<std::unique_ptr<Audio>>;
  return *closing;
}

// Completes the closes the driver now allows, without waiting; at each open and close.
void FinishClosing() {
  std::lock_guard<std::mutex> locked(liveLock);
  std::erase_if(Closing(), [](const std::unique_ptr<Audio>& audio) { return audio->device->Close(0); });
}

Audio* Find(AUDIOHANDLE handle) {
  std::lock_guard<std::mutex> locked(liveLock);
  const auto found = Live().find(static_cast<Audio*>(handle));
  return found == Live().end() ? nullptr : *found;
}

}  // namespace
}  // namespace mowik

using mowik::Audio;

extern "C" AUDIOHANDLE WINAPI AudioOpen(int mode, HWND window, const char* fileName, int, int fileType) {
  mowik::FinishClosing();
  auto audio = std::make_unique<Audio>();
  if (mode == AUDIO_MODE_DEVICE) {
    if (waveOutGetNumDevs() == 0) return nullptr;
    audio->device = std::make_unique<mowik::DeviceStream>(window);
  } else if (mode == AUDIO_MODE_FILE) {
    if (!fileName || fileType < AUDIO_FILE_WAVE || fileType > AUDIO_FILE_RAW) return nullptr;
    if (!audio->file.Create(fileName, static_cast<mowik::SoundFileType>(fileType))) return nullptr;
  } else {
    return nullptr;
  }
  std::lock_guard<std::mutex> locked(mowik::liveLock);
  Audio* handle = audio.release();
  mowik::Live().insert(handle);
  return handle;
}

extern "C" void WINAPI AudioStop(AUDIOHANDLE handle) {
  if (Audio* audio = mowik::Find(handle); audio && audio->device) audio->device->Stop();
}

extern "C" int WINAPI AudioPause(AUDIOHANDLE handle) {
  Audio* audio = mowik::Find(handle);
  if (!audio) return 1;
  return audio->device && !audio->device->Pause() ? 1 : 0;
}

extern "C" int WINAPI AudioResume(AUDIOHANDLE handle) {
  Audio* audio = mowik::Find(handle);
  if (!audio) return 1;
  return audio->device && !audio->device->Resume() ? 1 : 0;
}

extern "C" void WINAPI AudioClose(AUDIOHANDLE handle) {
  Audio* audio = nullptr;
  {
    std::lock_guard<std::mutex> locked(mowik::liveLock);
    const auto found = mowik::Live().find(static_cast<Audio*>(handle));
    if (found == mowik::Live().end()) return;
    audio = *found;
    mowik::Live().erase(found);
  }
  if (audio->device && !audio->device->Close()) {
    // The driver still holds buffers of it, and may call back into it: kept, and closed at a
    // later call once the driver lets go.
    std::lock_guard<std::mutex> locked(mowik::liveLock);
    mowik::Closing().emplace_back(audio);
    return;
  }
  audio->file.Close();
  delete audio;
  mowik::FinishClosing();
}

extern "C" int WINAPI AudioSetFormat(AUDIOHANDLE handle, int samplesPerSecond, int bitsPerSample, int channels,
                                     int formatTag, int) {
  Audio* audio = mowik::Find(handle);
  if (!audio) return 1;
  const bool accepted = audio->device
                            ? audio->device->SetFormat(samplesPerSecond, bitsPerSample, channels, formatTag)
                            : audio->file.SetFormat(samplesPerSecond, bitsPerSample, channels, formatTag);
  return accepted ? 0 : 1;
}

extern "C" int WINAPI AudioWrite(const void* samples, int bytesPerSample, int count, AUDIOHANDLE handle) {
  Audio* audio = mowik::Find(handle);
  if (!audio) return -1;
  if (audio->device) return audio->device->Write(samples, bytesPerSample, count);
  return static_cast<int>(audio->file.Write(samples, bytesPerSample, count));
}
