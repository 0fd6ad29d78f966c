#pragma once
// eSpeak NG as the speaker the diphones are cut from: phoneme input in, 22050 Hz samples and
// the exact sample of every phoneme event out. The voice is Polish with a private variant that
// holds the pitch flat and turns off eSpeak's own voicing assimilation.

#include <cstdint>
#include <string>
#include <vector>

namespace mowik {

struct SpokenPhone {
  std::string name;  // eSpeak's phoneme name, as in its phoneme input
  int64_t sample;    // where eSpeak starts it
};

struct Recording {
  std::vector<int16_t> samples;
  std::vector<SpokenPhone> phones;
};

class EspeakSpeaker {
 public:
  // dataDir: a folder this speaker may write; the needed parts of systemData are copied there.
  // Throws std::runtime_error when eSpeak cannot be set up.
  EspeakSpeaker(const std::string& systemData, const std::string& dataDir, int pitch);
  ~EspeakSpeaker();
  EspeakSpeaker(const EspeakSpeaker&) = delete;
  EspeakSpeaker& operator=(const EspeakSpeaker&) = delete;

  int SampleRate() const { return rate_; }
  std::string Version() const { return version_; }
  // Speaking rate of what follows, in words a minute (eSpeak's 80 to 450; 80 at the start).
  void SetWordsPerMinute(int wpm);
  // Speaks phoneme input such as "[[_:|t|'a|_:]]".
  Recording Speak(const std::string& phonemeInput);

 private:
  int rate_ = 0;
  std::string version_;
};

}  // namespace mowik
