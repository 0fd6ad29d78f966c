#include "mowik/verbalise/natural/acronyms.h"

#include "mowik/verbalise/polish_case.h"
#include "mowik/verbalise/spell_capitals.h"

namespace mowik {
namespace {

struct Acronym {
  std::wstring_view word, reading;
};

// Empty reading: spelled, though the letters could be said as a word.
constexpr Acronym kAcronyms[] = {
    {L"TVP", L"te fau pe"}, {L"TVN", L"te fau en"}, {L"DVD", L"de fau de"}, {L"BBC", L"bi bi si"},
    {L"CNN", L"si en en"},  {L"CBOS", L"cebos"},    {L"USA", L""},          {L"OFE", L""},
    {L"UPC", L""},          {L"IKEA", L"ikea"},     {L"PESEL", L"pesel"},   {L"COVID", L"kowid"},
    {L"UNESCO", L"unesko"}, {L"WOŚP", L"wośp"},     {L"OPEC", L"opek"},     {L"ONZ", L""},
    {L"EKG", L""},          {L"PIT", L"pit"},       {L"SOR", L"sor"},       {L"SKM", L""},
    {L"AIDS", L"ajds"},     {L"SMS", L""},          {L"MMS", L""},          {L"ISO", L"iso"},
};

bool IsVowel(wchar_t c) {
  switch (c) {
    case L'A': case L'E': case L'I': case L'O': case L'U': case L'Y':
    case L'Ą': case L'Ę': case L'Ó': return true;
    default: return false;
  }
}

bool IsCapital(wchar_t c) { return LowerChar(c) != c; }

bool InList(std::wstring_view list, std::wstring_view pair) {
  for (size_t i = 0; i + 1 < list.size(); i += 3)
    if (list.substr(i, 2) == pair) return true;
  return false;
}

constexpr std::wstring_view kOnsets = L"BR DR GR KR PR TR PL KL GL BL FL FR SK SP ST SZ CZ RZ CH SL ZW ŚW SW DŹ";
constexpr std::wstring_view kCodas = L"ST SK NT RT RK NK RS RD LT NS ND RN RM LM SZ CZ RZ CH";

bool Pronounceable(std::wstring_view w) {
  if (w.size() < 3 || w.find_first_of(L"QVX") != std::wstring_view::npos) return false;
  bool vowel = false;
  size_t run = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    if (IsVowel(w[i])) {
      vowel = true;
      run = 0;
      continue;
    }
    if (++run > 2) return false;
    if (run == 2 && i == 1 && !InList(kOnsets, w.substr(0, 2))) return false;
    if (run == 2 && i == w.size() - 1 && !InList(kCodas, w.substr(i - 1, 2))) return false;
  }
  return vowel;
}

}  // namespace

bool IsCapitalWord(std::wstring_view word) {
  if (word.size() < 2) return false;
  for (const wchar_t c : word)
    if (!IsCapital(c)) return false;
  return true;
}

bool IsOneLetterWord(wchar_t capital) {
  switch (capital) {
    case L'A': case L'I': case L'O': case L'U': case L'W': case L'Z': return true;
    default: return false;
  }
}

std::wstring AcronymWords(std::wstring_view word, std::wstring_view ending) {
  std::wstring words;
  bool found = false;
  for (const Acronym& a : kAcronyms)
    if (a.word == word) {
      found = true;
      words = a.reading.empty() ? SpellCapitals(word) : std::wstring(a.reading);
    }
  if (!found) words = Pronounceable(word) ? LowerText(word) : SpellCapitals(word);
  while (!words.empty() && words.back() == L' ') words.pop_back();
  return LowerText(words + std::wstring(ending));
}

}  // namespace mowik
