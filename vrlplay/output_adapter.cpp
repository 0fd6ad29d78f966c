// The play thread's outputs are the audio outputs (CAudioOutput): the sound device with its
// hidden window and end-of-playback wait, and the three file types with A-law and mu-law.
#include "vrlplay/audio/audio_output.h"
#include "vrlplay/output_seam.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

// The outputs read the request's flag word as it is.
static_assert(kOutputFileType0 == VRL_OUT_FILE_TYPE0 && kOutputFileType1 == VRL_OUT_FILE_TYPE1 &&
              kOutputFileType2 == VRL_OUT_FILE_TYPE2 && kOutputALaw == VRL_ALAW && kOutputMuLaw == VRL_MULAW &&
              kOutputKindDevice == kDeviceOutputKind);

class AudioPlayerOutput : public PlayerOutput {
 public:
  explicit AudioPlayerOutput(std::unique_ptr<CAudioOutput> output) : output_(std::move(output)) {}

  void Close() override { output_->Close(); }
  void Stop() override { output_->Stop(); }
  bool Write(const int16_t* samples, int count) override { return output_->Write(samples, count); }
  int Status() const override { return output_->Status(); }
  int Kind() const override { return output_->Kind(); }

 private:
  std::unique_ptr<CAudioOutput> output_;  // destroying it closes it
};

}  // namespace

std::unique_ptr<PlayerOutput> OpenPlayerOutput(HMODULE module, int flags, const char* outFile, int rate,
                                               OutputChecks checks) {
  auto output = OpenAudioOutput(module, flags, outFile, rate);
  output->SetStopCheck(std::move(checks.stopRequested));
  output->SetPauseHold(std::move(checks.pauseRequested), std::move(checks.waitWhilePaused));
  return std::make_unique<AudioPlayerOutput>(std::move(output));
}

}  // namespace mowik
