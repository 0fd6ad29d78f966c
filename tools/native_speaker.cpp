#include "tools/native_speaker.h"

#include <cstdio>
#include <vector>

#include "mowik/program/main_module.h"
#include "tools/speech_options.h"
#include "tools/utf8_text.h"
#include "tools/voice_folder.h"
#include "soundformat/half_rate_g711.h"

namespace mowik {
namespace {

// The ratio lines the player writes before an utterance.
std::string RatioLine(const char* prefix, float value) {
  char line[64];
  std::snprintf(line, sizeof line, "%s %.3f\n", prefix, static_cast<double>(value));
  return line;
}

}  // namespace

NativeSpeaker::NativeSpeaker(int32_t fileFlags, std::string outFile)
    : fileFlags_(fileFlags), outFile_(std::move(outFile)) {}

NativeSpeaker::NativeSpeaker(PcmOutput& device) : fileFlags_(0), device_(&device) {}

bool NativeSpeaker::Fail(std::string text) {
  if (error_.empty()) error_ = std::move(text);
  engine_.Reset();
  // What reached the file stays readable: its header is completed for it now.
  writer_.Close();
  return false;
}

bool NativeSpeaker::Drain() {
  std::vector<int16_t> block(kBlockSamples);
  std::vector<uint8_t> encoded;
  for (;;) {
    const int count = engine_.Read(block.data(), kBlockSamples);
    if (count < 0) return Fail("Varelo Error :\r\n" + engine_.LastErrorText());
    if (count == 0) return true;
    long written = 0;
    if (device_) {
      std::string error;
      if (!device_->Play(block.data(), static_cast<size_t>(count), error)) return Fail(error);
      continue;
    }
    if (fileFlags_ & (VRL_ALAW | VRL_MULAW)) {
      const G711Law law = fileFlags_ & VRL_ALAW ? G711Law::kALaw : G711Law::kMuLaw;
      encoded.resize(static_cast<size_t>(count / 2));
      const size_t bytes = EncodeHalfRateG711(filter_, law, block.data(), static_cast<size_t>(count), encoded.data());
      written = bytes ? writer_.Write(encoded.data(), 1, static_cast<long>(bytes)) : 0;
    } else {
      written = writer_.Write(block.data(), 2, count);
    }
    if (written < 0) return Fail("Can't write to " + outFile_);
  }
}

bool NativeSpeaker::WriteLine(const std::string& line) {
  if (engine_.Write(line.c_str()) != 0) return true;
  if (!Drain()) return false;
  return engine_.Write(line.c_str()) != 0 || Fail("Can't write to varelo");
}

bool NativeSpeaker::Flush() {
  if (engine_.Flush() == 0 && (!Drain() || engine_.Flush() == 0)) return Fail("Can't write to varelo");
  return Drain();
}

void NativeSpeaker::PlaySampa(const std::string& phonemeText) {
  if (phonemeText.find("\r\n") == std::string::npos || !error_.empty()) return;
  const std::string database = EncodeUtf8(DatabaseName);
  if (engine_.Init(database.c_str(), nullptr, nullptr, VoiceFolder(database)) != kEngineOk) {
    Fail("Can't load the " + database + " database");
    return;
  }
  engine_.SetRate(VoiceFreq);

  const bool g711 = fileFlags_ & (VRL_ALAW | VRL_MULAW);
  const SoundFileType type = fileFlags_ & VRL_OUT_FILE_TYPE0   ? SoundFileType::kWave
                             : fileFlags_ & VRL_OUT_FILE_TYPE1 ? SoundFileType::kSunAu
                                                           : SoundFileType::kRaw;
  const int rate = engine_.Rate();
  if (device_) {
    std::string error;
    if (!device_->Start(rate, error)) {
      Fail(error);
      return;
    }
  }
  // A-law and mu-law files hold one sample for every two engine samples.
  const bool opened = device_ || (writer_.Create(outFile_, type) &&
                                  writer_.SetFormat(g711 ? rate / 2 : rate, g711 ? 8 : 16, 1,
                                                    !g711 ? 1 : (fileFlags_ & VRL_ALAW) ? 6 : 7));
  if (!opened) {
    Fail(outFile_ + "\r\nCan't open device out");
    return;
  }

  if (!WriteLine(RatioLine(";; F = ", PitchRatio)) || !Flush()) return;
  if (!WriteLine(RatioLine(";; T = ", DurationRatio)) || !Flush()) return;
  const std::string text = phonemeText + "\r\n";
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) break;  // only line-ended lines are played
    const std::string line = text.substr(start, end + 1 - start);
    start = end + 1;
    if (line.size() > 1 && !WriteLine(line)) return;
  }
  if (!Flush()) return;
  if (device_) {
    std::string error;
    if (!device_->Finish(error)) Fail(error);
    return;
  }
  if (!writer_.Close()) Fail("Can't write to " + outFile_);
}

}  // namespace mowik
