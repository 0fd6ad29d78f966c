// Times the whole front end (normalisation, pieces, letters, assimilation, prosody) and the
// normalisation alone on raw Polish text with many numbers, dates, times, amounts and
// abbreviations, at the given size (default 1 MB) and at 100 KB (a long article), and prints
// the times and throughputs; and natural reading's normalisation beside the design's.
//   frontend_bench [megabytes]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mowik/frontend/speak_text.h"
#include "mowik/verbalise/regional_settings.h"
#include "mowik/verbalise/normalise_text.h"

namespace {

class CountingSink : public mowik::PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override { bytes = phonemeText.size(); }
  size_t bytes = 0;
};

// Raw Polish prose as a user copies it: capitals, digits, dates, times, amounts, addresses.
std::wstring PolishText(size_t utf8_bytes) {
  const std::wstring sentence =
      L"W Szczebrzeszynie chrząszcz brzmi w trzcinie, a ksiądz będzie sądzić. "
      L"Dnia 12-05-2024 o 12:30 PKP S.A. sprzedało 1500 biletów po 15,50 PLN (zob. www.pkp.pl). "
      L"Czy podoba ci się mój głos? Król Karol kupił 3 korale za 1 299 zł, tj. 2-3 razy drożej! "
      L"Skala 1:50 000, tel. 22 123-45-67; dr inż. Nowak, ul. Długa 15/17, godz. 08:00-16:30. ";
  std::wstring text;
  size_t bytes = 0;
  while (bytes < utf8_bytes) {
    text += sentence;
    for (const wchar_t c : sentence) bytes += c < 0x80 ? 1 : 2;
  }
  return text;
}

// The longest start of text that takes at most utf8_bytes in UTF-8.
std::wstring Prefix(const std::wstring& text, size_t utf8_bytes) {
  size_t bytes = 0;
  size_t n = 0;
  while (n < text.size()) {
    const size_t c = text[n] < 0x80 ? 1 : text[n] < 0x800 ? 2 : 3;
    if (bytes + c > utf8_bytes) break;
    bytes += c;
    ++n;
  }
  return text.substr(0, n);
}

template <typename Run>
double Seconds(Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Measure(size_t bytes) {
  const std::wstring raw = PolishText(bytes);
  std::wstring normalised = raw;
  const double normalise = Seconds([&] { mowik::NormaliseText(normalised, mowik::NormaliseOptions{}); });
  // The front end without normalisation (mowik-say --no-normalise) on the same amount of
  // already normalised text (normalising doubles this text: numbers become words).
  CountingSink pieces_sink;
  std::wstring pieces_text = Prefix(normalised, bytes);
  const double pieces = Seconds([&] { mowik::SpeakPieces(pieces_text, pieces_sink); });
  std::wstring spoken = raw;
  CountingSink sink;
  const double whole = Seconds([&] { mowik::SpeakText(spoken, mowik::NormaliseOptions{}, sink); });
  mowik::NormaliseOptions natural;
  natural.natural = true;
  std::wstring naturally = raw;
  const double natural_time = Seconds([&] { mowik::NormaliseText(naturally, natural); });
  std::printf("%7.2f MB (%zu characters): normalisation %.4f s (%.1f MB/s), without normalisation "
              "%.4f s (%.1f MB/s), whole front end %.4f s (%.1f MB/s) -> %zu bytes of phoneme text\n",
              bytes / 1e6, raw.size(), normalise, bytes / 1e6 / normalise, pieces,
              bytes / 1e6 / pieces, whole, bytes / 1e6 / whole, sink.bytes);
  std::printf("%7.2f MB: natural reading's normalisation %.4f s (%.1f MB/s), %.2f times the design's\n",
              bytes / 1e6, natural_time, bytes / 1e6 / natural_time, natural_time / normalise);
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
  Measure(static_cast<size_t>(megabytes * 1000 * 1000));
  Measure(100 * 1000);
  return 0;
}
