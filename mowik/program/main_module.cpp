#include "mowik/program/main_module.h"

namespace mowik {
namespace {

const wchar_t kVoicelessSet[] = L"tpfskc\u015B\u0107Sx";  // ś, ć

// Stored as written: lowercase proper names, and the doubled full stop of the last one.
const std::array<std::wstring, 10> kTestSentences = {
    L"Nie pieprz Pietrze pieprzem wieprza, wtedy szynka b\u0119dzie lepsza!",
    L"W szczebrzeszynie chrz\u0105szcz brzmi w trzcinie.",
    L"Czy podoba ci si\u0119 m\u00F3j g\u0142os?",
    L"Ala ma kota, kot ma al\u0119!",
    L"Zibor mo\u017Ce dzieli\u0107 przez zero!",
    L"Prognozy nie b\u0119dzie. Ania dosta\u0142a z p\u00F3\u0142obrotu!",
    L"Tylko Zibor potrafi podnie\u015B\u0107 krzes\u0142o na kt\u00F3rym siedzi.",
    L"St\u00F3\u0142 z powy\u0142amywanymi nogami.",
    L"Kr\u00F3l Karol kupi\u0142 kr\u00F3lowej karolinie korale koloru koralowego.",
    L"Nasa za\u0142o\u017Cy\u0142o si\u0119 z Ziborem, \u017Ce nie wejdzie w ziemsk\u0105 atmosfer\u0119 "
    L"nago.. Do tej pory wisz\u0105 mu piwo.",
};

}  // namespace

// The globals start with Main's values, so that code running before Main (static
// initialisation, tools, tests) never sees an empty voiceless set.
std::wstring VoicelessSet = kVoicelessSet;
int16_t SpellCapital = -1;  // all bits set
int16_t NaturalReading = 0;
std::array<std::wstring, 10> TestSentences = kTestSentences;
std::wstring DatabaseName = L"pl1";
float PitchRatio = 0.0f;
float DurationRatio = 0.0f;
int32_t VoiceFreq = 0;
std::wstring PlayerErrorText;

int16_t CurrentVoice = 0;
int16_t SpeakSelected = 0;
int16_t SpeakNow = 0;
std::wstring SpeakNowInterval;
int32_t HotPlay = 0;
int32_t HotPause = 0;
int32_t HotStop = 0;
int32_t HotNow = 0;
int16_t HotPlayStops = 0;

void InitialiseGlobals() {
  VoicelessSet = kVoicelessSet;
  SpellCapital = -1;
  NaturalReading = 0;
  TestSentences = kTestSentences;
  DatabaseName = L"pl1";
}

}  // namespace mowik
