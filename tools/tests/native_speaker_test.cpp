// mowik-say's speech without a player: Mowik's phoneme text through the engine into files.
#include "tools/native_speaker.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mowik/frontend/speak_text.h"
#include "mowik/program/main_module.h"
#include "mowik/program/random_between.h"
#include "mowik/program/voice_profile.h"
#include "tools/speech_options.h"

namespace mowik {
namespace {

class Capture : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { text = phonemeText; }
  std::string text;
};

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return v;
}

// Milliseconds of every line of a phoneme text, the last one included.
struct Lines {
  int count = 0;
  long milliseconds = 0;
  std::string last;
};
Lines LinesOf(const std::string& text) {
  Lines lines;
  size_t start = 0;
  while ((start = text.find("\r\n", start)) != std::string::npos) {
    start += 2;
    const size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    lines.milliseconds += std::stol(line.substr(line.find(' ') + 1));
    lines.last = line;
    ++lines.count;
  }
  return lines;
}

class NativeSpeakerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseGlobals();
    ApplyVoiceProfile(VoiceProfile{});
    FixRandomDraw(0.5);
  }
  void TearDown() override {
    ReleaseRandomDraw();
    std::remove(path_.c_str());
  }
  // Speaks text into a file; returns the phoneme text.
  std::string Speak(std::wstring text, int32_t flags = VRL_OUT_FILE_TYPE0) {
    std::wstring copy = text;
    Capture capture;
    SpeakText(copy, NormaliseOptions{}, capture);
    NativeSpeaker speaker(flags, path_);
    SpeakText(text, NormaliseOptions{}, speaker);
    EXPECT_EQ(speaker.Error(), "");
    return capture.text;
  }
  // One file per test: ctest runs this program's tests side by side.
  std::string path_ = ::testing::TempDir() + "native_speaker_test_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav";
};

TEST_F(NativeSpeakerTest, EveryTestSentenceLastsWhatItsLinesSay) {
  for (const std::wstring& sentence : TestSentences) {
    const Lines lines = LinesOf(Speak(sentence));
    const std::string wav = Bytes(path_);
    ASSERT_GT(wav.size(), 44u);
    ASSERT_EQ(wav.substr(0, 4), "RIFF");
    const long samples = static_cast<long>(Le32(wav, 40) / 2);
    // 16 samples a millisecond at 16 kHz; the engine may round each phoneme to a period.
    EXPECT_NEAR(samples, lines.milliseconds * 16, lines.count * 160L) << lines.count << " lines";
  }
}

TEST_F(NativeSpeakerTest, TheLastPhonemeIsHeardWithoutAClosingMark) {
  // The abbreviation row eats the full stop: the text ends in a phoneme, not a pause.
  const Lines lines = LinesOf(Speak(L"Kosztuje 5 zł."));
  EXPECT_EQ(lines.last.substr(0, 2), "x ");
  const long samples = static_cast<long>(Le32(Bytes(path_), 40) / 2);
  EXPECT_NEAR(samples, lines.milliseconds * 16, lines.count * 160L);
  EXPECT_GT(samples, (lines.milliseconds - 70) * 16) << "the last line was played";
}

TEST_F(NativeSpeakerTest, ALawFilesHoldHalfTheSamplesAtHalfTheRate) {
  Speak(L"Ala ma kota.");
  const uint32_t pcm_bytes = Le32(Bytes(path_), 40);
  Speak(L"Ala ma kota.", VRL_OUT_FILE_TYPE0 | VRL_ALAW);
  const std::string alaw = Bytes(path_);
  EXPECT_EQ(Le32(alaw, 24), 8000u) << "sample rate";
  EXPECT_EQ(alaw.substr(20, 2), std::string("\x06\x00", 2)) << "format tag A-law";
  EXPECT_NE(alaw.find("data"), std::string::npos);
  const uint32_t alaw_bytes = Le32(alaw, alaw.find("data") + 4);
  EXPECT_EQ(alaw_bytes, pcm_bytes / 4) << "one byte for every two 16-bit samples";
}

TEST_F(NativeSpeakerTest, ARefusedDatabaseIsReportedAndNothingIsWritten) {
  DatabaseName = L"no-such-voice";
  std::wstring text = L"Ala ma kota.";
  NativeSpeaker speaker(VRL_OUT_FILE_TYPE0, path_);
  SpeakText(text, NormaliseOptions{}, speaker);
  EXPECT_EQ(speaker.Error(), "Can't load the no-such-voice database");
}

}  // namespace
}  // namespace mowik
