#include "mowik/verbalise/natural/prepositions.h"

#include <array>

namespace mowik {
namespace {

struct Preposition {
  std::wstring_view word;
  std::array<Case, 2> cases;
  int count;
};

constexpr Preposition kPrepositions[] = {
    {L"w", {Case::Loc, Case::Acc}, 2},      {L"we", {Case::Loc, Case::Acc}, 2},
    {L"na", {Case::Loc, Case::Acc}, 2},     {L"o", {Case::Loc, Case::Acc}, 2},
    {L"po", {Case::Loc, Case::Acc}, 2},     {L"przy", {Case::Loc}, 1},
    {L"z", {Case::Ins, Case::Gen}, 2},      {L"ze", {Case::Ins, Case::Gen}, 2},
    {L"od", {Case::Gen}, 1},                {L"do", {Case::Gen}, 1},
    {L"dla", {Case::Gen}, 1},               {L"bez", {Case::Gen}, 1},
    {L"u", {Case::Gen}, 1},                 {L"koło", {Case::Gen}, 1},
    {L"około", {Case::Gen}, 1},             {L"obok", {Case::Gen}, 1},
    {L"spod", {Case::Gen}, 1},              {L"sprzed", {Case::Gen}, 1},
    {L"zza", {Case::Gen}, 1},               {L"wśród", {Case::Gen}, 1},
    {L"według", {Case::Gen}, 1},            {L"podczas", {Case::Gen}, 1},
    {L"oprócz", {Case::Gen}, 1},            {L"wokół", {Case::Gen}, 1},
    {L"ponad", {Case::Acc, Case::Ins}, 2},  {L"naprzeciwko", {Case::Gen}, 1},
    {L"ku", {Case::Dat}, 1},                {L"dzięki", {Case::Dat}, 1},
    {L"przeciw", {Case::Dat}, 1},           {L"przeciwko", {Case::Dat}, 1},
    {L"wbrew", {Case::Dat}, 1},             {L"przez", {Case::Acc}, 1},
    {L"przed", {Case::Ins, Case::Acc}, 2},  {L"nad", {Case::Ins, Case::Acc}, 2},
    {L"pod", {Case::Ins, Case::Acc}, 2},    {L"za", {Case::Acc, Case::Ins}, 2},
    {L"między", {Case::Ins}, 1},            {L"pomiędzy", {Case::Ins}, 1},
    {L"poza", {Case::Ins, Case::Acc}, 2},
    // Not prepositions, but they govern the number after them the same way.
    {L"wieku", {Case::Gen}, 1},  // «w wieku 85 lat»
    {L"ciągu", {Case::Gen}, 1},    // «w ciągu 2 godzin»
    {L"trakcie", {Case::Gen}, 1},  // «w trakcie 3 dni»
};

}  // namespace

std::vector<Case> CasesAfterPreposition(std::wstring_view word) {
  for (const Preposition& p : kPrepositions)
    if (p.word == word) return std::vector<Case>(p.cases.begin(), p.cases.begin() + p.count);
  return {};
}

}  // namespace mowik
