// mowik-sapi.dll's voice object under Wine, driven as SAPI drives an engine, against a site
// that keeps what it is given.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "sapi/windows/tests/dll_under_test.h"
#include "sapi/windows/tests/test_site.h"

namespace mowik {

ISpTTSEngine* CreateEngineFromDll() {
  HMODULE dll = LoadLibraryW(kSapiDll.c_str());
  if (!dll) {
    ADD_FAILURE() << "cannot load mowik-sapi.dll, error " << GetLastError();
    return nullptr;
  }
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (!get || FAILED(get(kClsidMowikVoice, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    ADD_FAILURE() << "no class factory";
    return nullptr;
  }
  ISpTTSEngine* engine = nullptr;
  const HRESULT hr = factory->CreateInstance(nullptr, kIidSpTtsEngine, reinterpret_cast<void**>(&engine));
  factory->Release();
  EXPECT_EQ(hr, S_OK);
  return engine;
}

DWORD RunProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
    return static_cast<DWORD>(-1);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

FragmentList& FragmentList::Speak(const std::wstring& text, ULONG sourceOffset) {
  texts_.push_back(text);
  SPVTEXTFRAG frag{};
  frag.State.eAction = SPVA_Speak;
  frag.State.Volume = 100;
  frag.State.LangID = 0x415;
  frag.pTextStart = texts_.back().c_str();
  frag.ulTextLen = static_cast<ULONG>(text.size());
  frag.ulTextSrcOffset = sourceOffset;
  frags_.push_back(frag);
  return *this;
}

FragmentList& FragmentList::Bookmark(const std::wstring& name, ULONG sourceOffset) {
  Speak(name, sourceOffset);
  frags_.back().State.eAction = SPVA_Bookmark;
  return *this;
}

FragmentList& FragmentList::Last(void (*change)(SPVSTATE&)) {
  change(frags_.back().State);
  return *this;
}

const SPVTEXTFRAG* FragmentList::Head() {
  for (size_t i = 0; i + 1 < frags_.size(); ++i) frags_[i].pNext = &frags_[i + 1];
  if (!frags_.empty()) frags_.back().pNext = nullptr;
  return frags_.empty() ? nullptr : frags_.data();
}

namespace {

int PeakOf(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

class SapiEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    engine = CreateEngineFromDll();
    ASSERT_NE(engine, nullptr);
  }
  void TearDown() override {
    if (engine) engine->Release();
    CoUninitialize();
  }
  HRESULT Speak(FragmentList& list, TestSite& site) {
    const WAVEFORMATEX format = VoiceFormat();
    return engine->Speak(0, kFormatWaveFormatEx, &format, list.Head(), &site);
  }
  std::vector<int16_t> Said(const std::wstring& text, TestSite site = TestSite()) {
    FragmentList list;
    list.Speak(text);
    EXPECT_EQ(Speak(list, site), S_OK);
    return site.Samples();
  }

  ISpTTSEngine* engine = nullptr;
};

TEST_F(SapiEngineTest, OffersSixteenKilohertzSixteenBitMono) {
  GUID id{};
  WAVEFORMATEX* format = nullptr;
  ASSERT_EQ(engine->GetOutputFormat(&kFormatText, nullptr, &id, &format), S_OK);
  EXPECT_TRUE(IsEqualGUID(id, kFormatWaveFormatEx));
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 1);
  EXPECT_EQ(format->nSamplesPerSec, 16000u);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->nBlockAlign, 2);
  EXPECT_EQ(format->nAvgBytesPerSec, 32000u);
  CoTaskMemFree(format);
  EXPECT_EQ(engine->GetOutputFormat(nullptr, nullptr, nullptr, nullptr), E_POINTER);
}

TEST_F(SapiEngineTest, APolishSentenceSoundsAsMowikSaySaysIt) {
  // No comma or question mark: a rising piece draws its pitch at random.
  const std::wstring text = L"Dnia 12-05-2024 kr\u00F3l Karol kupi\u0142 15 koralik\u00F3w.";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring raw = std::wstring(temp) + L"mowik_sapi_said.raw";
  DeleteFileW(raw.c_str());
  // Without a settings file beside it the voice reads naturally, as mowik-say --natural does.
  ASSERT_EQ(RunProgram(L"\"" + kProductDir + L"/mowik-say.exe\" --natural -o \"" + raw + L"\" \"" + text + L"\""), 0u);
  std::ifstream file(raw.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  DeleteFileW(raw.c_str());
  ASSERT_FALSE(bytes.empty());

  TestSite site;
  FragmentList list;
  list.Speak(text);
  ASSERT_EQ(Speak(list, site), S_OK);
  EXPECT_EQ(site.audio.size(), bytes.size());
  EXPECT_TRUE(std::equal(site.audio.begin(), site.audio.end(), bytes.begin(), bytes.end()));
}

// Voice objects of one process speak in four threads at once, each writing what it writes
// alone (no lock between them now). No comma or question mark: no random draw.
TEST_F(SapiEngineTest, FourVoiceObjectsInFourThreadsSpeakWhatEachSpeaksAlone) {
  const std::vector<std::wstring> texts = {
      L"Dnia 12-05-2024 kr\u00F3l Karol kupi\u0142 15 koralik\u00F3w.", L"Ala ma 2 koty i 3 psy.",
      L"Spotkanie o 9:15 w sali nr 7.", L"Za 4 kg jab\u0142ek zap\u0142aci\u0142 12,50 z\u0142."};
  std::vector<ISpTTSEngine*> engines;
  for (size_t k = 0; k < texts.size(); ++k) {
    engines.push_back(CreateEngineFromDll());
    ASSERT_NE(engines.back(), nullptr);
  }
  auto speak = [&](size_t k) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    TestSite site;
    FragmentList list;
    list.Speak(texts[k]);
    const WAVEFORMATEX format = VoiceFormat();
    const HRESULT result = engines[k]->Speak(0, kFormatWaveFormatEx, &format, list.Head(), &site);
    CoUninitialize();
    return result == S_OK ? site.Samples() : std::vector<int16_t>();
  };
  std::vector<std::vector<int16_t>> alone, together(texts.size());
  for (size_t k = 0; k < texts.size(); ++k) alone.push_back(speak(k));
  std::vector<std::thread> threads;
  for (size_t k = 0; k < texts.size(); ++k) threads.emplace_back([&, k] { together[k] = speak(k); });
  for (std::thread& thread : threads) thread.join();
  for (ISpTTSEngine* each : engines) each->Release();
  for (size_t k = 0; k < texts.size(); ++k) {
    ASSERT_FALSE(alone[k].empty()) << k;
    EXPECT_TRUE(together[k] == alone[k]) << "voice object " << k;
  }
}

TEST_F(SapiEngineTest, WordBoundariesPointAtTheWordsOfTheOriginalText) {
  // As SAPI passes it: the text after a tag, at its place in the caller's text.
  const std::wstring caller = L"<rate speed=\"0\"/>Spotkanie 12-05-2024 o 12:30, koszt 15 EUR. Dzi\u015B 3 koty!";
  const ULONG at = static_cast<ULONG>(caller.find(L"Spotkanie"));
  TestSite site;
  FragmentList list;
  list.Speak(caller.substr(at), at);
  ASSERT_EQ(Speak(list, site), S_OK);
  std::vector<std::wstring> words;
  ULONGLONG last = 0;
  for (const SeenEvent& event : site.Of(SPEI_WORD_BOUNDARY)) {
    EXPECT_EQ(event.type, SPET_LPARAM_IS_UNDEFINED);
    words.push_back(caller.substr(static_cast<size_t>(event.lParam), event.wParam));
    EXPECT_GE(event.byteOffset, last);
    last = event.byteOffset;
  }
  EXPECT_EQ(words, (std::vector<std::wstring>{L"Spotkanie", L"12-05-2024", L"o", L"12:30,", L"koszt", L"15", L"EUR.",
                                              L"Dzi\u015B", L"3", L"koty!"}));
  std::vector<std::wstring> sentences;
  for (const SeenEvent& event : site.Of(SPEI_SENTENCE_BOUNDARY))
    sentences.push_back(caller.substr(static_cast<size_t>(event.lParam), event.wParam));
  EXPECT_EQ(sentences, (std::vector<std::wstring>{L"Spotkanie 12-05-2024 o 12:30, koszt 15 EUR.", L"Dzi\u015B 3 koty!"}));
}

TEST_F(SapiEngineTest, TheStreamEndsAsSapiExpects) {
  // The engine reports no stream start or end (SAPI does), places every event within the
  // audio it wrote, and returns S_OK once its last byte is written.
  TestSite site;
  FragmentList list;
  list.Speak(L"Ala ma kota. Kot ma Al\u0119.");
  ASSERT_EQ(Speak(list, site), S_OK);
  ASSERT_FALSE(site.audio.empty());
  EXPECT_EQ(site.audio.size() % 2, 0u);
  for (const SeenEvent& event : site.events) {
    EXPECT_NE(event.id, SPEI_START_INPUT_STREAM);
    EXPECT_NE(event.id, SPEI_END_INPUT_STREAM);
    EXPECT_LT(event.byteOffset, site.audio.size());
  }
}

TEST_F(SapiEngineTest, OnlyTheEventsTheCallerWantsAreSent) {
  TestSite site;
  site.interest = 1ull << SPEI_WORD_BOUNDARY;
  FragmentList list;
  list.Speak(L"Ala ma kota.").Bookmark(L"1", 12);
  ASSERT_EQ(Speak(list, site), S_OK);
  ASSERT_EQ(site.events.size(), 3u);
  for (const SeenEvent& event : site.events) EXPECT_EQ(event.id, SPEI_WORD_BOUNDARY);
}

TEST_F(SapiEngineTest, BookmarksCarryTheirNameAndNumber) {
  TestSite site;
  FragmentList list;
  list.Speak(L"Ala ma kota.").Bookmark(L"42", 30).Speak(L"Kot.", 40);
  ASSERT_EQ(Speak(list, site), S_OK);
  const std::vector<SeenEvent> marks = site.Of(SPEI_TTS_BOOKMARK);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].type, SPET_LPARAM_IS_STRING);
  EXPECT_EQ(marks[0].text, L"42");
  EXPECT_EQ(marks[0].wParam, 42u);
  const std::vector<SeenEvent> sentences = site.Of(SPEI_SENTENCE_BOUNDARY);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(marks[0].byteOffset, sentences[1].byteOffset);  // between the two sentences
}

TEST_F(SapiEngineTest, AnAbortAfterTheFirstWriteEndsSpeakWithinOneBlock) {
  TestSite site;
  site.afterWrite = [](TestSite& s) { s.actions |= SPVES_ABORT; };
  FragmentList list;
  list.Speak(L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale koloru koralowego. Ala ma kota. Kot ma Al\u0119.");
  EXPECT_EQ(Speak(list, site), S_OK);
  EXPECT_EQ(site.writes, 1);
  EXPECT_LE(site.audio.size(), 2u * 4096);
}

TEST_F(SapiEngineTest, RateTenAndMinusTenChangeTheLengthThreeTimes) {
  const std::wstring text = L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale koloru koralowego.";
  const double normal = static_cast<double>(Said(text).size());
  TestSite fast;
  fast.rate = 10;
  TestSite slow;
  slow.rate = -10;
  EXPECT_NEAR(normal / static_cast<double>(Said(text, fast).size()), 3.0, 0.3);
  EXPECT_NEAR(static_cast<double>(Said(text, slow).size()) / normal, 3.0, 0.3);
}

TEST_F(SapiEngineTest, VolumeFiftyHalvesTheAmplitude) {
  const std::vector<int16_t> full = Said(L"Ala ma kota.");
  TestSite half;
  half.volume = 50;
  const std::vector<int16_t> halved = Said(L"Ala ma kota.", half);
  ASSERT_EQ(halved.size(), full.size());
  for (size_t i = 0; i < full.size(); ++i) ASSERT_EQ(halved[i], std::lround(full[i] * 0.5)) << i;
  EXPECT_NEAR(PeakOf(halved), PeakOf(full) / 2.0, 1.0);
}

TEST_F(SapiEngineTest, XmlRateVolumeAndPitchOfAFragmentApply) {
  const std::vector<int16_t> plain = Said(L"Ala ma kota.");
  TestSite site;
  FragmentList list;
  list.Speak(L"Ala ma kota.").Last([](SPVSTATE& s) {
    s.RateAdj = 10;
    s.Volume = 50;
    s.PitchAdj.MiddleAdj = 5;
  });
  ASSERT_EQ(Speak(list, site), S_OK);
  const std::vector<int16_t> tagged = site.Samples();
  EXPECT_NEAR(static_cast<double>(plain.size()) / tagged.size(), 3.0, 0.3);
  EXPECT_NEAR(PeakOf(tagged), PeakOf(plain) / 2.0, PeakOf(plain) * 0.25);
}

TEST_F(SapiEngineTest, ASkipGoesToTheNextSentenceAndIsReported) {
  TestSite site;
  site.skip = 1;
  site.afterWrite = [](TestSite& s) {
    if (s.writes == 1) s.actions |= SPVES_SKIP;
  };
  const std::wstring text = L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej Karolinie korale koloru koralowego. Ala ma kota.";
  FragmentList list;
  list.Speak(text);
  ASSERT_EQ(Speak(list, site), S_OK);
  EXPECT_EQ(site.completedSkips, (std::vector<LONG>{1}));
  const std::vector<SeenEvent> sentences = site.Of(SPEI_SENTENCE_BOUNDARY);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(static_cast<size_t>(sentences[1].lParam), text.find(L"Ala"));
  EXPECT_EQ(sentences[1].byteOffset, 2u * 4096);  // right after the one block written
}

TEST_F(SapiEngineTest, BadCallsAreRefused) {
  FragmentList list;
  list.Speak(L"Ala.");
  const WAVEFORMATEX format = VoiceFormat();
  EXPECT_EQ(engine->Speak(0, kFormatWaveFormatEx, &format, list.Head(), nullptr), E_INVALIDARG);
  TestSite site;
  WAVEFORMATEX other = format;
  other.nSamplesPerSec = 22050;
  EXPECT_EQ(engine->Speak(0, kFormatWaveFormatEx, &other, list.Head(), &site), E_INVALIDARG);
  EXPECT_EQ(engine->Speak(0, kFormatText, nullptr, list.Head(), &site), E_INVALIDARG);
  EXPECT_EQ(engine->Speak(0, kFormatWaveFormatEx, &format, nullptr, &site), S_OK);  // nothing to say
  EXPECT_EQ(site.writes, 0);
}

TEST_F(SapiEngineTest, KeepsItsTokenAndAnswersForItsInterfaces) {
  ISpObjectWithToken* withToken = nullptr;
  ASSERT_EQ(engine->QueryInterface(kIidSpObjectWithToken, reinterpret_cast<void**>(&withToken)), S_OK);
  ISpObjectToken* token = reinterpret_cast<ISpObjectToken*>(0x1);
  EXPECT_EQ(withToken->GetObjectToken(&token), S_FALSE);
  EXPECT_EQ(token, nullptr);
  EXPECT_EQ(withToken->GetObjectToken(nullptr), E_POINTER);
  EXPECT_EQ(withToken->SetObjectToken(nullptr), S_OK);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(withToken->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown*>(engine));  // one identity
  unknown->Release();
  void* other = nullptr;
  EXPECT_EQ(engine->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  withToken->Release();
}

TEST(SapiFactoryTest, OnlyItsOwnClassAndNoAggregation) {
  HMODULE dll = LoadLibraryW(kSapiDll.c_str());
  ASSERT_NE(dll, nullptr);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  void* object = nullptr;
  EXPECT_EQ(get(kIidSpTtsEngine, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(get(kClsidMowikVoice, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  factory->Release();
  FreeLibrary(dll);
}

}  // namespace
}  // namespace mowik
