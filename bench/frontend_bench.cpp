// Times the front end (pieces, letters, assimilation, prosody; no normalisation) on about
// 1 MB of Polish text and prints the time and the throughput.
//   frontend_bench [megabytes]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mowik/frontend/speak_text.h"

namespace {

class CountingSink : public mowik::PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { bytes = phonemeText.size(); }
  size_t bytes = 0;
};

// Normalised Polish prose: lowercase words, blanks, closing marks.
std::wstring PolishText(size_t utf8_bytes) {
  const std::wstring sentence =
      L"w szczebrzeszynie chrząszcz brzmi w trzcinie, a ksiądz będzie sądzić. "
      L"czy podoba ci się mój głos? król karol kupił królowej karolinie korale! "
      L"stół z powyłamywanymi nogami; wszystko przy krzaku kwiatów. ";
  std::wstring text;
  size_t bytes = 0;
  while (bytes < utf8_bytes) {
    text += sentence;
    for (const wchar_t c : sentence) bytes += c < 0x80 ? 1 : 2;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
  const size_t bytes = static_cast<size_t>(megabytes * 1000 * 1000);
  std::wstring text = PolishText(bytes);
  const size_t characters = text.size();
  CountingSink sink;
  const auto start = std::chrono::steady_clock::now();
  mowik::SpeakText(text, sink);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("front end: %zu characters (%.2f MB UTF-8) -> %zu bytes of phoneme text\n", characters,
              bytes / 1e6, sink.bytes);
  std::printf("time: %.4f s, throughput: %.1f MB/s\n", seconds, bytes / 1e6 / seconds);
  return 0;
}
