#include "mowik/verbalise/spell_capitals.h"

#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

struct LetterName {
  wchar_t letter;
  std::wstring_view name;
};

constexpr LetterName kLetterNames[] = {
    {L'B', L"be "},  {L'C', L"ce "},       {L'D', L"de "},  {L'F', L"ef "},   {L'G', L"gie "},
    {L'H', L"ha "},  {L'J', L"jot "},      {L'K', L"ka "},  {L'L', L"el "},   {L'\u0141', L"e\u0142 "},
    {L'M', L"em "},  {L'N', L"en "},       {L'P', L"pe "},  {L'R', L"er "},   {L'S', L"es "},
    {L'T', L"te "},  {L'W', L"wu "},       {L'Z', L"zet "}, {L'\u0179', L"ziet "},
    {L'\u017B', L"rzet "}, {L'X', L"iks "}, {L'V', L"fa\u0142 "},
};

}  // namespace

std::vector<std::wstring> SplitChars(std::wstring_view text) {
  std::vector<std::wstring> chars;
  chars.reserve(text.size());
  for (const wchar_t c : text) chars.emplace_back(1, c);
  return chars;
}

std::wstring SpellCapitals(std::wstring_view word) {
  std::wstring spelled;
  for (const std::wstring& c : SplitChars(word)) {
    const LetterName* found = nullptr;
    for (const LetterName& entry : kLetterNames)
      if (entry.letter == c[0]) found = &entry;
    if (found) {
      spelled += found->name;
    } else {
      spelled += LowerChar(c[0]);
      spelled += L' ';
    }
  }
  return spelled;
}

}  // namespace mowik
