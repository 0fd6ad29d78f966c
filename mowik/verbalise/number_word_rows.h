#pragma once
// The nominative cardinal words by place, shared by the design's reading and natural reading.
// Each word ends in one blank.

#include <array>
#include <string_view>

namespace mowik {

using WordRow = std::array<std::wstring_view, 10>;

inline constexpr WordRow kTeenWords = {
    L"dziesi\u0119\u0107 ",   L"jedena\u015Bcie ",   L"dwana\u015Bcie ", L"trzyna\u015Bcie ",
    L"czterna\u015Bcie ",     L"pi\u0119tna\u015Bcie ", L"szesna\u015Bcie ", L"siedemna\u015Bcie ",
    L"osiemna\u015Bcie ",     L"dziewi\u0119tna\u015Bcie "};
inline constexpr WordRow kUnitWords = {
    L"zero ", L"jeden ", L"dwa ", L"trzy ", L"cztery ", L"pi\u0119\u0107 ", L"sze\u015B\u0107 ",
    L"siedem ", L"osiem ", L"dziewi\u0119\u0107 "};
inline constexpr WordRow kTenWords = {
    L"",                       L"dziesi\u0119\u0107 ",          L"dwadzie\u015Bcia ",
    L"trzydzie\u015Bci ",      L"czterdzie\u015Bci ",           L"pi\u0119\u0107dziesi\u0105t ",
    L"sze\u015B\u0107dziesi\u0105t ", L"siedemdziesi\u0105t ", L"osiemdziesi\u0105t ",
    L"dziewi\u0119\u0107dziesi\u0105t "};
inline constexpr WordRow kHundredWords = {
    L"",        L"sto ",      L"dwie\u015Bcie ", L"trzysta ", L"czterysta ",
    L"pi\u0119\u0107set ", L"sze\u015B\u0107set ", L"siedemset ", L"osiemset ", L"dziewi\u0119\u0107set "};

}  // namespace mowik
