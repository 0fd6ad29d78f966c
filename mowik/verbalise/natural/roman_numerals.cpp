#include "mowik/verbalise/natural/roman_numerals.h"

#include <array>
#include <string>

namespace mowik {
namespace {

// Each decimal place's digits 0..9, ones to thousands.
constexpr std::array<std::array<std::wstring_view, 10>, 4> kPlaces = {{
    {L"", L"I", L"II", L"III", L"IV", L"V", L"VI", L"VII", L"VIII", L"IX"},
    {L"", L"X", L"XX", L"XXX", L"XL", L"L", L"LX", L"LXX", L"LXXX", L"XC"},
    {L"", L"C", L"CC", L"CCC", L"CD", L"D", L"DC", L"DCC", L"DCCC", L"CM"},
    {L"", L"M", L"MM", L"MMM", L"", L"", L"", L"", L"", L""},
}};

}  // namespace

int RomanValue(std::wstring_view text) {
  if (text.empty() || text.size() > 15) return 0;
  // Read the places from the thousands down, each taking its longest written digit.
  int value = 0;
  size_t p = 0;
  for (int place = 3; place >= 0; --place) {
    int best = 0;
    size_t bestLength = 0;
    for (int d = 1; d <= 9; ++d) {
      const std::wstring_view digit = kPlaces[static_cast<size_t>(place)][static_cast<size_t>(d)];
      if (!digit.empty() && digit.size() > bestLength && text.substr(p).starts_with(digit)) {
        best = d;
        bestLength = digit.size();
      }
    }
    p += bestLength;
    value = value * 10 + best;
  }
  return p == text.size() ? value : 0;
}

}  // namespace mowik
