#include "mowik/verbalise/date_to_words.h"

#include <array>
#include <string_view>

namespace mowik {
namespace {

constexpr std::array<std::wstring_view, 31> kDayOrdinals = {
    L"pierwszy", L"drugi", L"trzeci", L"czwarty", L"pi\u0105ty", L"sz\u00F3sty", L"si\u00F3dmy",
    L"\u00F3smy", L"dziewi\u0105ty", L"dziesi\u0105ty", L"jedenasty", L"dwunasty", L"trzynasty",
    L"czternasty", L"pi\u0119tnasty", L"szesnasty", L"siedemnasty", L"osiemnasty",
    L"dziewi\u0119tnasty", L"dwudziesty", L"dwudziesty pierwszy", L"dwudziesty drugi",
    L"dwudziesty trzeci", L"dwudziesty czwarty", L"dwudziesty pi\u0105ty",
    L"dwudziesty sz\u00F3sty", L"dwudziesty si\u00F3dmy", L"dwudziesty \u00F3smy",
    L"dwudziesty dziewi\u0105ty", L"trzydziesty", L"trzydziesty pierwszy"};

}  // namespace

std::wstring DateToWords(const CalendarDate& date, const RegionalSettings& regional) {
  std::wstring words;
  if (date.day >= 1 && date.day <= 31) words = kDayOrdinals[static_cast<size_t>(date.day) - 1];
  std::wstring year = std::to_wstring(date.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), L'0');
  return words + L' ' + regional.MonthName(date.month) + L' ' + year;
}

}  // namespace mowik
