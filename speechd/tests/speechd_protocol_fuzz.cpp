// The module's reading of what the server sends: command lines, SSML and SET values, and the
// configuration file, with any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "speechd/module_commands.h"
#include "speechd/module_config.h"
#include "speechd/ssml_text.h"
#include "speechd/voice_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mowik::speechd;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CommandReader reader;
  VoiceSettings settings;
  size_t start = 0;
  while (start <= input.size()) {
    size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    CommandReader::Step step = reader.Take(input.substr(start, end - start));
    if (step.command) {
      for (const auto& [name, value] : step.command->params) ApplySetting(settings, name, value);
      for (const Segment& segment : ParseSsml(step.command->text))
        if (segment.kind == SegmentKind::kMark) IndexMarkEvent(segment.text);
      CommandReply(*step.command, true);
    }
    start = end + 1;
  }
  ParseSsml(input);
  std::vector<std::string> warnings;
  ParseModuleConfig(input, warnings);
  std::vector<int16_t> samples(size / 2);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::string audio = AudioEvent(samples.data(), samples.size(), 16000);
  std::string bytes;
  UnescapeAudio(input, bytes);
  return 0;
}
