#include <array>
#include <string_view>

#include "mowik/verbalise/date_to_words.h"
#include "mowik/verbalise/number_to_words.h"

namespace mowik {
namespace {

// Hour 0 reads like 12; the word for 23 is stored as it has always been spoken.
constexpr std::array<std::wstring_view, 24> kHourOrdinals = {
    L"dwunasta",    L"pierwsza",      L"druga",        L"trzecia",        L"czwarta",
    L"pi\u0105ta",  L"sz\u00F3sta",   L"si\u00F3dma",  L"\u00F3sma",      L"dziewi\u0105ta",
    L"dziesi\u0105ta", L"jedenasta",  L"dwunasta",     L"trzynasta",      L"czternasta",
    L"pi\u0119tnasta", L"szesnasta",  L"siedemnasta",  L"osiemnasta",     L"dziewi\u0119tnasta",
    L"dwudziesta",  L"dwudziesta pierwsza", L"dwudziesta druga", L"dwudziesta trzeca"};

}  // namespace

std::wstring TimeToWords(const ClockTime& time) {
  std::wstring words;
  if (time.hour >= 0 && time.hour <= 23) words = kHourOrdinals[static_cast<size_t>(time.hour)];
  words += L' ';
  words += NumberToWords(std::to_wstring(time.minute));
  if (time.second > 0) words += L", i " + NumberToWords(std::to_wstring(time.second)) + L" sekund";
  return words;
}

}  // namespace mowik
