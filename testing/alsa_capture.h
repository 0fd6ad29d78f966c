#pragma once
// What the sound device really played: under Wine, waveOut plays into ALSA, and the test's
// ALSA configuration (the last file in ALSA_CONFIG_PATH, NAME.asoundrc) makes the default
// device a file plugin that writes every played byte to NAME.capture.raw beside it. Each
// opening of the device starts the file afresh.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "testing/scratch_file.h"

namespace mowik::testing {

// Empty when the test runs without that configuration.
inline std::string CapturePath() {
  const char* paths = std::getenv("ALSA_CONFIG_PATH");
  const std::string config = paths ? paths : "";
  const std::string suffix = ".asoundrc";
  const size_t last = config.rfind(':') == std::string::npos ? 0 : config.rfind(':') + 1;
  if (config.size() < last + suffix.size() || config.compare(config.size() - suffix.size(), suffix.size(), suffix) != 0)
    return "";
  // A Unix path: drive Z: is the root under Wine.
  return "Z:" + config.substr(last, config.size() - suffix.size() - last) + ".capture.raw";
}

inline std::vector<int16_t> CapturedSamples() {
  const std::vector<uint8_t> bytes = ReadBytes(CapturePath());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return samples;
}

// Whether captured is written played in order, nothing lost, nothing added but silence.
// Wine fills a device that runs dry (a writer that falls behind, a stop) with silence, so
// runs of zeros may appear between and after the written samples; silence counts them.
// written must hold no zero samples, so that the two cannot be confused.
inline bool PlayedInOrder(const std::vector<int16_t>& captured, const std::vector<int16_t>& written,
                          size_t* silence = nullptr) {
  size_t i = 0, j = 0, zeros = 0;
  while (i < captured.size()) {
    if (j < written.size() && captured[i] == written[j]) {
      ++j;
    } else if (captured[i] == 0) {
      ++zeros;
    } else {
      return false;
    }
    ++i;
  }
  if (silence) *silence = zeros;
  return j == written.size();
}

}  // namespace mowik::testing
