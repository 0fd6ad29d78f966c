// Prints how quickly the player reacts, measured at the audio library's edge (the recording
// stand-ins beside it): from VRL_Play of a sentence to its first samples handed to the audio
// library, and from VRL_Stop during speech to AudioStop. The stand-in engine synthesizes at
// once, so the figures are the player's own share.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "testing/player_test_support.h"
#include "vrlplay/vrlplay.h"

namespace {

double Milliseconds(long long from, long long to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

long long Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void Print(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-44s median %7.3f ms   90%% %7.3f ms   max %7.3f ms   (%zu runs)\n", what, values[values.size() / 2],
              values[values.size() * 9 / 10], values.back(), values.size());
}

}  // namespace

int main() {
  using namespace mowik::test;
  // "Ala ma kota." as Mowik hands it over: CR LF before every line.
  const std::string sentence =
      "\r\n_ 50 0 120\r\na 90 0 125\r\nl 60 0 128\r\na 100 0 124\r\nm 60 0 120\r\na 90 0 118\r\n"
      "k 70 0 116\r\no 100 0 112\r\nt 60 0 108\r\na 140 0 100\r\n_ 200 0 95\r\n";
  VRL_Play(sentence.c_str(), VRL_WAIT, nullptr, nullptr);  // the player is started and warm

  std::vector<double> firstSamples;
  for (int run = 0; run < 200; ++run) {
    ClearAudio();
    const long long start = Now();
    VRL_Play(sentence.c_str(), 0, nullptr, nullptr);
    VRL_WaitForEnd();
    firstSamples.push_back(Milliseconds(start, AudioFirstWriteTime()));
  }
  Print("VRL_Play to first samples at the library:", firstSamples);

  std::string longText;
  for (int i = 0; i < 2000; ++i) longText += "a 10\n";
  SetEngineWriteDelay(1);  // an engine that takes a while per line
  std::vector<double> stops;
  for (int run = 0; run < 50; ++run) {
    ClearAudio();
    VRL_Play(longText.c_str(), 0, nullptr, nullptr);
    while (AudioFirstWriteTime() == 0) Sleep(0);
    Sleep(5);
    const long long start = Now();
    VRL_Stop();
    stops.push_back(Milliseconds(start, AudioStopTime()));
  }
  SetEngineWriteDelay(0);
  Print("VRL_Stop during speech to AudioStop:", stops);
  VRL_VRLUnload();
  return 0;
}
