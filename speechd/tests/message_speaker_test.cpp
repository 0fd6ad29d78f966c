#include "speechd/message_speaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "speechd/spoken_characters.h"
#include "varelo/module_folder.h"

namespace mowik::speechd {
namespace {

// What the speaking handed on: audio and marks in order ("@name" for a mark, "~N" for N
// samples of audio since the last mark), and the sentences.
class Recorder final : public SpeechOutput {
 public:
  void Audio(const int16_t*, size_t count) override {
    if (trace.empty() || trace.back()[0] != '~') trace.push_back("~0");
    trace.back() = "~" + std::to_string(std::stoul(trace.back().substr(1)) + count);
    samples += count;
  }
  void Mark(const std::string& name) override { trace.push_back("@" + name); }
  void Icon(const std::string& name) override { trace.push_back("!" + name); }
  void Sentence(std::wstring_view text, const std::string&) override { sentences.emplace_back(text); }
  std::vector<std::string> trace;
  std::vector<std::wstring> sentences;
  size_t samples = 0;
};

class MessageSpeakerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(engine_.Open("pl1", EngineFolder(), error)) << error;
  }
  MessageEnd Speak(std::string_view ssml, Recorder& out, const std::function<SpeakRequest()>& request = {}) {
    std::string error;
    const MessageEnd end = SpeakSegments(ParseSsml(ssml), voice, engine_, out, request, error);
    EXPECT_TRUE(error.empty()) << error;
    return end;
  }
  MessageVoice voice;
  SentenceVoice engine_;
};

bool IsAudio(const std::string& entry) { return entry[0] == '~'; }

TEST_F(MessageSpeakerTest, MarksComeBeforeTheWordsTheyStandBefore) {
  Recorder out;
  EXPECT_EQ(Speak("<speak><mark name=\"a\"/>Ala <mark name=\"b\"/>ma kota. <mark name=\"c\"/>Kot ma Alę."
                  "<mark name=\"d\"/></speak>", out),
            MessageEnd::kEnd);
  // a first, then audio of "Ala", b, the rest of the sentence, c, the second sentence, d.
  ASSERT_EQ(out.trace.size(), 7u) << ::testing::PrintToString(out.trace);
  EXPECT_EQ(out.trace[0], "@a");
  EXPECT_TRUE(IsAudio(out.trace[1]));
  EXPECT_EQ(out.trace[2], "@b");
  EXPECT_TRUE(IsAudio(out.trace[3]));
  EXPECT_EQ(out.trace[4], "@c");
  EXPECT_TRUE(IsAudio(out.trace[5]));
  EXPECT_EQ(out.trace[6], "@d");
  // "Ala" is a short part of its sentence.
  EXPECT_LT(std::stoul(out.trace[1].substr(1)), std::stoul(out.trace[3].substr(1)));
  EXPECT_EQ(out.sentences, (std::vector<std::wstring>{L"Ala ma kota.", L"Kot ma Al\u0119."}));
}

TEST_F(MessageSpeakerTest, RatePitchAndBreaksChangeTheAudio) {
  Recorder normal, fast, slow, paused;
  Speak("Spotkanie o dwunastej trzydzieści.", normal);
  voice.settings.rate = 100;
  Speak("Spotkanie o dwunastej trzydzieści.", fast);
  voice.settings.rate = 0;
  Speak("<prosody rate=\"x-slow\">Spotkanie o dwunastej trzydzieści.</prosody>", slow);
  Speak("Spotkanie o dwunastej trzydzieści.<break time=\"500ms\"/>", paused);
  EXPECT_LT(fast.samples * 5 / 2, normal.samples);  // about a third
  EXPECT_GT(slow.samples, normal.samples * 3 / 2);  // about twice
  EXPECT_EQ(paused.samples, normal.samples + 8000);
}

TEST_F(MessageSpeakerTest, SpellingSaysTheLettersAndKeepsMarksOnTheirLetters) {
  Recorder out;
  Speak("Kod <say-as interpret-as=\"characters\">A<mark name=\"x\"/>Ż1</say-as>.", out);
  EXPECT_EQ(out.sentences, (std::vector<std::wstring>{L"Kod", L"a rzet jeden", L"."}));
  EXPECT_EQ(out.trace.size(), 3u) << ::testing::PrintToString(out.trace);  // the mark among the letters
  voice.settings.spelling = true;
  voice.settings.capitals = CapitalRecognition::kSpell;
  Recorder spelled;
  Speak("Ok", spelled);
  ASSERT_EQ(spelled.sentences.size(), 1u);
  EXPECT_EQ(spelled.sentences[0], L"du\u017ce o ka");
}

TEST_F(MessageSpeakerTest, StopEndsBeforeTheNextBlockAndPauseAtTheServersNextMark) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "<mark name=\"__spd_" + std::to_string(i) + "\"/>To jest zdanie numer " + std::to_string(i) + ". ";
  Recorder whole;
  Speak(text, whole);

  Recorder stopped;
  size_t asked = 0;
  EXPECT_EQ(Speak(text, stopped, [&] { return ++asked > 5 ? SpeakRequest::kStop : SpeakRequest::kNone; }),
            MessageEnd::kStopped);
  EXPECT_LT(stopped.samples, whole.samples / 4);

  Recorder paused;
  EXPECT_EQ(Speak(text, paused, [&] { return paused.samples > 0 ? SpeakRequest::kPause : SpeakRequest::kNone; }),
            MessageEnd::kPaused);
  // Paused right after the second mark, where the server resumes.
  ASSERT_GE(paused.trace.size(), 3u);
  EXPECT_EQ(paused.trace.back(), "@__spd_1");
}

TEST(SpokenCharacters, LettersDigitsPunctuationAndKeysInPolish) {
  bool icon = false;
  EXPECT_EQ(CharacterWords(L"b", CapitalRecognition::kSpell, icon), L"be");
  EXPECT_EQ(CharacterWords(L"\u0141", CapitalRecognition::kSpell, icon), L"du\u017ce e\u0142");
  EXPECT_FALSE(icon);
  EXPECT_EQ(CharacterWords(L"\u017c", CapitalRecognition::kNone, icon), L"rzet");
  EXPECT_EQ(CharacterWords(L"\u0104", CapitalRecognition::kIcon, icon), L"\u0105");
  EXPECT_TRUE(icon);
  EXPECT_EQ(CharacterWords(L"7", CapitalRecognition::kNone, icon), L"siedem");
  EXPECT_EQ(CharacterWords(L" ", CapitalRecognition::kNone, icon), L"spacja");
  EXPECT_EQ(CharacterWords(L"?", CapitalRecognition::kNone, icon), L"pytajnik");
  EXPECT_EQ(CharacterWords(L"\u20ac", CapitalRecognition::kNone, icon), L"euro");
  EXPECT_EQ(CharacterWords(L"\u4e2d", CapitalRecognition::kNone, icon), L"\u4e2d");
  EXPECT_EQ(KeyWords(L"shift_a"), L"szift a");
  EXPECT_EQ(KeyWords(L"control_alt_delete"), L"kontrol alt dilit");
  EXPECT_EQ(KeyWords(L"_"), L"podkre\u015blnik");
  EXPECT_EQ(KeyWords(L"f5"), L"ef 5");
  std::vector<size_t> offsets;
  EXPECT_EQ(SpelledText(L"Ab  c", CapitalRecognition::kNone, &offsets), L"a be, ce ");
  EXPECT_EQ(offsets, (std::vector<size_t>{0, 2, 5, 6, 6, 9}));
}

TEST(TextOfUtf8, DamagedBytesCostOneCharacterEach) {
  EXPECT_EQ(TextOfUtf8("Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87"), L"Za\u017c\u00f3\u0142\u0107");
  EXPECT_EQ(TextOfUtf8("a\xff" "b\xc5"), L"a\uFFFDb\uFFFD");
  EXPECT_EQ(TextOfUtf8(""), L"");
}

}  // namespace
}  // namespace mowik::speechd
