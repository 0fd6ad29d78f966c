// The walk over SAPI's fragments with the real front end, engine and voice, against a site
// that plays SAPI's part.
#include "sapi/speak_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "mowik/program/random_between.h"
#include "sapi/tests/fake_site.h"
#include "varelo/module_folder.h"

namespace mowik {
namespace {

Fragment Speak(std::wstring_view text, size_t offset = 0) {
  Fragment f;
  f.text = text;
  f.sourceOffset = offset;
  return f;
}

int PeakOf(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

class SpeakJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FixRandomDraw(0.37);
    std::string error;
    ASSERT_TRUE(voice.Open("pl1", EngineFolder(), error)) << error;
  }
  void TearDown() override { ReleaseRandomDraw(); }

  SpeakResult Run(const std::vector<Fragment>& fragments) { return SpeakFragments(fragments, voice, settings, site); }

  SentenceVoice voice;
  SpeakerSettings settings;
  FakeSite site;
};

#ifdef MOWIK_SAY
// mowik-say's own output for the text, as 16-bit samples.
std::vector<int16_t> SaidByMowikSay(const std::string& utf8Text) {
  // One file per test: ctest runs the cases of this program side by side.
  const std::string out = ::testing::TempDir() + "sapi_mowik_say_" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw";
  const std::string command = std::string(MOWIK_SAY) + " --random 0.37 -o " + out + " '" + utf8Text + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream file(out, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  std::copy(bytes.begin(), bytes.begin() + static_cast<long>(samples.size() * 2), reinterpret_cast<char*>(samples.data()));
  std::remove(out.c_str());
  return samples;
}

TEST_F(SpeakJobTest, ASentenceSoundsExactlyAsMowikSaySaysIt) {
  const std::wstring text = L"Ala ma kota, kot ma Al\u0119 i 15 z\u0142 od 12-05-2024!";
  ASSERT_EQ(Run({Speak(text)}).outcome, SpeakOutcome::kDone);
  const std::vector<int16_t> expected = SaidByMowikSay("Ala ma kota, kot ma Alę i 15 zł od 12-05-2024!");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(site.samples.size(), expected.size());
  EXPECT_TRUE(site.samples == expected);
}

TEST_F(SpeakJobTest, SentenceBySentenceSoundsAsTheWholeTextAtOnce) {
  const std::wstring text = L"Ala ma kota. Czy kot ma Alę? Tak!";
  ASSERT_EQ(Run({Speak(text)}).outcome, SpeakOutcome::kDone);
  const std::vector<int16_t> expected = SaidByMowikSay("Ala ma kota. Czy kot ma Alę? Tak!");
  EXPECT_EQ(site.samples.size(), expected.size());
  EXPECT_TRUE(site.samples == expected);
}
#endif

TEST_F(SpeakJobTest, EachSentenceIsWrittenAfterItsEventsInBlocks) {
  const std::wstring text = L"Ala ma kota. Kot ma Al\u0119!";
  std::vector<size_t> eventsAtWrite;
  site.afterWrite = [&](FakeSite& s) { eventsAtWrite.push_back(s.events.size()); };
  const SpeakResult result = Run({Speak(text, 7)});
  ASSERT_EQ(result.outcome, SpeakOutcome::kDone);
  EXPECT_EQ(result.bytesWritten, 2 * site.samples.size());
  const std::vector<VoiceEvent> sentences = site.Of(EventKind::kSentence);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(sentences[0].sourceOffset, 7u);
  EXPECT_EQ(sentences[0].length, 12u);
  EXPECT_EQ(sentences[1].sourceOffset, 7u + 13);
  EXPECT_EQ(sentences[0].byteOffset, 0u);
  EXPECT_GT(sentences[1].byteOffset, 0u);
  EXPECT_LT(sentences[1].byteOffset, result.bytesWritten);
  // The first write comes after the first sentence's events but before the second's.
  ASSERT_FALSE(eventsAtWrite.empty());
  EXPECT_EQ(eventsAtWrite.front(), 4u);  // a sentence and three words
  for (size_t i = 0; i + 1 < site.events.size(); ++i) EXPECT_LE(site.events[i].byteOffset, site.events[i + 1].byteOffset);
  EXPECT_LE(static_cast<size_t>(site.writes), site.samples.size() / kWriteBlockSamples + 2);
}

TEST_F(SpeakJobTest, WordEventsPointAtTheWordsOfTheOriginalText) {
  // The caller's text: the fragment starts at 10 (a tag before it, say).
  const std::wstring text = L"Spotkanie 12-05-2024 o 12:30,   koszt 15 EUR. Dzi\u015B  PKP!";
  ASSERT_EQ(Run({Speak(text, 10)}).outcome, SpeakOutcome::kDone);
  std::vector<std::wstring> words;
  for (const VoiceEvent& event : site.Of(EventKind::kWord)) {
    ASSERT_GE(event.sourceOffset, 10u);
    words.emplace_back(text.substr(event.sourceOffset - 10, event.length));
    EXPECT_EQ(event.byteOffset % 2, 0u);
    EXPECT_LT(event.byteOffset, 2 * site.samples.size());
  }
  EXPECT_EQ(words, (std::vector<std::wstring>{L"Spotkanie", L"12-05-2024", L"o", L"12:30,", L"koszt", L"15", L"EUR.",
                                              L"Dzi\u015B", L"PKP!"}));
}

TEST_F(SpeakJobTest, AnAbortAfterTheFirstWriteEndsWithinOneBlock) {
  const std::wstring text = L"Ala ma kota. Kot ma Al\u0119. Ala ma kota. Kot ma Al\u0119. Ala ma kota.";
  site.afterWrite = [](FakeSite& s) { s.actions |= kActionAbort; };
  EXPECT_EQ(Run({Speak(text)}).outcome, SpeakOutcome::kAborted);
  EXPECT_EQ(site.writes, 1);
  EXPECT_LE(site.samples.size(), kWriteBlockSamples);
}

TEST_F(SpeakJobTest, AnAbortBeforeAnythingWritesNothing) {
  site.actions = kActionAbort;
  EXPECT_EQ(Run({Speak(L"Ala ma kota.")}).outcome, SpeakOutcome::kAborted);
  EXPECT_EQ(site.writes, 0);
  EXPECT_TRUE(site.events.empty());
}

TEST_F(SpeakJobTest, RateTagAddsToTheCallersRate) {
  Fragment tagged = Speak(L"Ala ma kota.");
  tagged.rateAdjust = 10;
  site.rate = -10;
  Run({tagged});
  const size_t combined = site.samples.size();
  site = FakeSite();
  Run({Speak(L"Ala ma kota.")});
  EXPECT_EQ(combined, site.samples.size());  // -10 + 10 is the normal rate
}

TEST_F(SpeakJobTest, AVolumeChangeAppliesFromTheNextBlock) {
  Run({Speak(L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale.")});
  const std::vector<int16_t> full = site.samples;
  site = FakeSite();
  site.afterWrite = [](FakeSite& s) {
    if (s.writes == 1) {
      s.volume = 0;
      s.actions |= kActionVolume;
    }
  };
  Run({Speak(L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale.")});
  ASSERT_EQ(site.samples.size(), full.size());
  EXPECT_TRUE(std::equal(full.begin(), full.begin() + kWriteBlockSamples, site.samples.begin()));
  EXPECT_EQ(PeakOf(std::vector<int16_t>(site.samples.begin() + kWriteBlockSamples, site.samples.end())), 0);
}

TEST_F(SpeakJobTest, ASkipMovesToTheNextSentence) {
  const std::wstring text = L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale koloru koralowego. Ala ma kota.";
  site.skip = 1;
  site.afterWrite = [](FakeSite& s) {
    if (s.writes == 1) s.actions |= kActionSkip;
  };
  EXPECT_EQ(Run({Speak(text)}).outcome, SpeakOutcome::kDone);
  EXPECT_EQ(site.completedSkips, (std::vector<long>{1}));
  const std::vector<VoiceEvent> sentences = site.Of(EventKind::kSentence);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(sentences[1].byteOffset, 2u * kWriteBlockSamples);  // right after the one block
  EXPECT_EQ(text.substr(sentences[1].sourceOffset, sentences[1].length), L"Ala ma kota.");
}

TEST_F(SpeakJobTest, BookmarksAndSilencesStandBetweenSentences) {
  Fragment mark;
  mark.action = FragmentAction::kBookmark;
  mark.text = L"42 tu";
  mark.sourceOffset = 13;
  Fragment quiet;
  quiet.action = FragmentAction::kSilence;
  quiet.silenceMs = 250;
  Fragment section;
  section.action = FragmentAction::kSection;
  section.text = L"nie m\u00F3w tego";
  Run({Speak(L"Ala ma kota."), mark, quiet, section, Speak(L"Kot.", 40)});
  const std::vector<VoiceEvent> bookmarks = site.Of(EventKind::kBookmark);
  ASSERT_EQ(bookmarks.size(), 1u);
  EXPECT_EQ(bookmarks[0].bookmark, L"42 tu");
  EXPECT_EQ(bookmarks[0].bookmarkValue, 42);
  const std::vector<VoiceEvent> sentences = site.Of(EventKind::kSentence);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_GT(bookmarks[0].byteOffset, 0u);
  // The silence lies between the bookmark and the second sentence, 250 ms of zeros.
  EXPECT_EQ(sentences[1].byteOffset - bookmarks[0].byteOffset, 2u * 250 * 16);
  const size_t at = static_cast<size_t>(bookmarks[0].byteOffset / 2);
  EXPECT_TRUE(std::all_of(site.samples.begin() + static_cast<long>(at), site.samples.begin() + static_cast<long>(at + 4000),
                          [](int16_t s) { return s == 0; }));
  EXPECT_EQ(sentences[1].sourceOffset, 40u);
}

TEST_F(SpeakJobTest, PitchTagRaisesThePitchNotTheLength) {
  Run({Speak(L"Ala ma kota.")});
  const std::vector<int16_t> normal = site.samples;
  site = FakeSite();
  Fragment high = Speak(L"Ala ma kota.");
  high.pitchMiddle = 10;
  Run({high});
  EXPECT_NEAR(static_cast<double>(site.samples.size()), static_cast<double>(normal.size()), normal.size() * 0.05);
  EXPECT_FALSE(site.samples == normal);
}

TEST_F(SpeakJobTest, EmptyAndBlankTextsSpeakNothing) {
  EXPECT_EQ(Run({Speak(L""), Speak(L"  \r\n ")}).outcome, SpeakOutcome::kDone);
  EXPECT_EQ(Run({}).outcome, SpeakOutcome::kDone);
  EXPECT_EQ(site.writes, 0);
  EXPECT_TRUE(site.events.empty());
}

TEST(SpeakJobWithoutVoiceTest, FailsWithAReasonAndWritesNothing) {
  SentenceVoice voice;
  std::string error;
  EXPECT_FALSE(voice.Open("no-such-voice", ::testing::TempDir(), error));
  EXPECT_NE(error.find("no-such-voice"), std::string::npos);
  FakeSite site;
  const SpeakResult result = SpeakFragments({Speak(L"Ala ma kota.")}, voice, SpeakerSettings(), site);
  EXPECT_EQ(result.outcome, SpeakOutcome::kFailed);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(site.writes, 0);
}

// Voice objects of one process speak in their own threads at once: what each writes is what
// it writes alone. Every text has rising pieces, so each draws its own intonation.
TEST(SpeakJobThreadsTest, FourVoicesInFourThreadsWriteWhatEachWritesAlone) {
  const std::vector<std::wstring> texts = {
      L"Czy Ala ma kota? Kot ma Al\u0119, a pies nie.", L"Spotkanie 12-05-2024 o 12:30, prawda?",
      L"Ile kosztuje 15 z\u0142? Ma\u0142o, bardzo ma\u0142o.", L"Nr 7, ul. D\u0142uga 3, Warszawa?"};
  SpeakerSettings settings;
  settings.natural = true;
  struct Caller {
    SentenceVoice voice;
    RandomSource random{0};
    FakeSite site;
  };
  auto speakAll = [&](std::vector<Caller>& speakers, bool together) {
    auto speak = [&](size_t k) {
      SpeakerSettings own = settings;
      own.random = &speakers[k].random;
      speakers[k].random.Fix(0.25 + 0.125 * static_cast<double>(k));
      SpeakFragments({Speak(texts[k])}, speakers[k].voice, own, speakers[k].site);
    };
    std::vector<std::thread> threads;
    for (size_t k = 0; k < texts.size(); ++k) {
      if (together)
        threads.emplace_back(speak, k);
      else
        speak(k);
    }
    for (std::thread& thread : threads) thread.join();
  };
  auto opened = [&](std::vector<Caller>& speakers) {
    for (Caller& speaker : speakers) {
      std::string error;
      if (!speaker.voice.Open("pl1", EngineFolder(), error)) return false;
    }
    return true;
  };
  std::vector<Caller> alone(texts.size()), together(texts.size());
  ASSERT_TRUE(opened(alone));
  ASSERT_TRUE(opened(together));
  speakAll(alone, false);
  speakAll(together, true);
  for (size_t k = 0; k < texts.size(); ++k) {
    ASSERT_FALSE(alone[k].site.samples.empty()) << k;
    EXPECT_TRUE(together[k].site.samples == alone[k].site.samples) << "voice " << k;
    EXPECT_EQ(together[k].site.events.size(), alone[k].site.events.size()) << "voice " << k;
  }
}

TEST(BookmarkValueTest, TheLeadingNumber) {
  EXPECT_EQ(BookmarkValue(L"42"), 42);
  EXPECT_EQ(BookmarkValue(L" -7x"), -7);
  EXPECT_EQ(BookmarkValue(L"tu"), 0);
  EXPECT_EQ(BookmarkValue(L""), 0);
  EXPECT_EQ(BookmarkValue(L"99999999999999999999999"), LONG_MAX);
}

}  // namespace
}  // namespace mowik
