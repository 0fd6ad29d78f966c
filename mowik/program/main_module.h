#pragma once
// MainModule: the program-wide globals that several layers share. The user-interface thread
// is their only writer. Main gives them their first values; the settings load and the main
// window change them later.

#include <array>
#include <cstdint>
#include <string>

namespace mowik {

// Voiceless consonants for the assimilation rules; a phoneme counts as voiceless when its
// text occurs inside this one.
extern std::wstring VoicelessSet;
// Capital spelling and digit reading: non-zero is on.
extern int16_t SpellCapital;
// Natural reading (numbers in agreement, dates, amounts, abbreviations): non-zero is on.
extern int16_t NaturalReading;
// Sentences for trying a voice, chosen by RandomBetween(0, 9).
extern std::array<std::wstring, 10> TestSentences;
// Voice database handed to the player; nothing changes it.
extern std::wstring DatabaseName;
// Speech parameters of the chosen voice profile (0 until one is chosen).
extern float PitchRatio;
extern float DurationRatio;
extern int32_t VoiceFreq;
// The player's last error text.
extern std::wstring PlayerErrorText;

// Settings of the main window, loaded and saved by the settings store.
extern int16_t CurrentVoice;
extern int16_t SpeakSelected;
extern int16_t SpeakNow;
extern std::wstring SpeakNowInterval;
extern int32_t HotPlay;
extern int32_t HotPause;
extern int32_t HotStop;
extern int32_t HotNow;
// 1: the read key pressed while speech plays stops it (0: the press is dropped).
extern int16_t HotPlayStops;

// Gives the globals that Main owns their first values again (they also start with them), as
// Main does before loading the main window.
void InitialiseGlobals();

}  // namespace mowik
