#pragma once
// Speech without the player, for builds that have none: the phoneme text of an utterance goes
// line by line into the engine core, as vrlplay hands it to varelo.dll (the ratio lines first,
// a flush after them and at the end), and the samples into a sound file, as the player's file
// outputs write them. The same text therefore gives the same file as the Windows build.
// Without a file the samples go to a sound device, block by block as the engine gives them.

#include <cstdint>
#include <string>

#include "mowik/frontend/phoneme_sink.h"
#include "varelo/engine.h"
#include "soundformat/decimation_filter.h"
#include "soundformat/sound_file_writer.h"
#include "tools/pcm_output.h"

namespace mowik {

class NativeSpeaker : public PhonemeSink {
 public:
  // fileFlags: the player's output bits (file type 0/1/2, A-law, mu-law); outFile: UTF-8.
  NativeSpeaker(int32_t fileFlags, std::string outFile);
  // Plays on device (not owned; it outlives the speaker) instead of writing a file.
  explicit NativeSpeaker(PcmOutput& device);

  // Speaks one utterance into the file (or on the device, waiting until it is heard) with the voice of the MainModule globals (DatabaseName,
  // PitchRatio, DurationRatio, VoiceFreq). Like the bridge, plays nothing for a text without a
  // line break, and ends the text with one so that its last line is heard too.
  void PlaySampa(const std::string& phonemeText) override;

  // The first error met (database, engine, file), or empty. After an error the file is
  // closed, its header describing the samples that reached it.
  const std::string& Error() const { return error_; }

 private:
  bool WriteLine(const std::string& line);
  bool Flush();
  bool Drain();
  bool Fail(std::string text);

  int32_t fileFlags_;
  std::string outFile_;
  PcmOutput* device_ = nullptr;
  Engine engine_;
  SoundFileWriter writer_;
  DecimationFilter filter_;
  std::string error_;
};

}  // namespace mowik
