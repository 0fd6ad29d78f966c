#include "speechd/spoken_characters.h"

#include "mowik/verbalise/polish_case.h"
#include "mowik/verbalise/spell_capitals.h"

namespace mowik::speechd {
namespace {

struct Name {
  wchar_t c;
  std::wstring_view name;
};

constexpr Name kNames[] = {
    {L'0', L"zero"}, {L'1', L"jeden"}, {L'2', L"dwa"}, {L'3', L"trzy"}, {L'4', L"cztery"},
    {L'5', L"pi\u0119\u0107"}, {L'6', L"sze\u015b\u0107"}, {L'7', L"siedem"}, {L'8', L"osiem"},
    {L'9', L"dziewi\u0119\u0107"},
    {L' ', L"spacja"}, {L'\t', L"tabulator"}, {L'\n', L"nowa linia"}, {L'\u00a0', L"twarda spacja"},
    {L'.', L"kropka"}, {L',', L"przecinek"}, {L':', L"dwukropek"}, {L';', L"\u015brednik"},
    {L'!', L"wykrzyknik"}, {L'?', L"pytajnik"}, {L'-', L"minus"}, {L'+', L"plus"},
    {L'=', L"r\u00f3wna si\u0119"}, {L'*', L"gwiazdka"}, {L'/', L"uko\u015bnik"},
    {L'\\', L"uko\u015bnik wsteczny"}, {L'(', L"nawias otwieraj\u0105cy"}, {L')', L"nawias zamykaj\u0105cy"},
    {L'[', L"nawias kwadratowy otwieraj\u0105cy"}, {L']', L"nawias kwadratowy zamykaj\u0105cy"},
    {L'{', L"klamra otwieraj\u0105ca"}, {L'}', L"klamra zamykaj\u0105ca"}, {L'<', L"mniejsze"},
    {L'>', L"wi\u0119ksze"}, {L'"', L"cudzys\u0142\u00f3w"}, {L'\'', L"apostrof"}, {L'`', L"grawis"},
    {L'~', L"tylda"}, {L'|', L"kreska pionowa"}, {L'@', L"ma\u0142pa"}, {L'#', L"krzy\u017cyk"},
    {L'$', L"dolar"}, {L'%', L"procent"}, {L'^', L"daszek"}, {L'&', L"ampersand"},
    {L'_', L"podkre\u015blnik"}, {L'\u2013', L"p\u00f3\u0142pauza"}, {L'\u2014', L"pauza"},
    {L'\u20ac', L"euro"}, {L'\u00a7', L"paragraf"}, {L'\u00b0', L"stopie\u0144"},
};

// The capitals of the small letters Mowik names: the Latin ones and the Polish ones.
constexpr wchar_t kPolishCapitals[] = L"\u0104\u0106\u0118\u0141\u0143\u00d3\u015a\u0179\u017b";

wchar_t CapitalOf(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  for (const wchar_t* p = kPolishCapitals; *p; ++p)
    if (LowerChar(*p) == c) return *p;
  return c;
}

std::wstring Trimmed(std::wstring text) {
  while (!text.empty() && text.back() == L' ') text.pop_back();
  return text;
}

struct KeyName {
  std::wstring_view key;
  std::wstring_view words;
};

constexpr KeyName kKeys[] = {
    {L"space", L"spacja"}, {L"underscore", L"podkre\u015blnik"}, {L"double-quote", L"cudzys\u0142\u00f3w"},
    {L"alt", L"alt"}, {L"control", L"kontrol"}, {L"hyper", L"hajper"}, {L"meta", L"meta"},
    {L"shift", L"szift"}, {L"super", L"super"}, {L"backspace", L"bekspejs"}, {L"break", L"brejk"},
    {L"delete", L"dilit"}, {L"down", L"strza\u0142ka w d\u00f3\u0142"}, {L"end", L"end"},
    {L"enter", L"enter"}, {L"escape", L"eskejp"}, {L"home", L"hom"}, {L"insert", L"insert"},
    {L"left", L"strza\u0142ka w lewo"}, {L"menu", L"menu"}, {L"next", L"nast\u0119pna strona"},
    {L"num-lock", L"num lok"}, {L"page-down", L"pejd\u017c da\u0142n"}, {L"page-up", L"pejd\u017c ap"},
    {L"pause", L"pauza"}, {L"print", L"print skrin"}, {L"prior", L"poprzednia strona"},
    {L"return", L"enter"}, {L"right", L"strza\u0142ka w prawo"}, {L"scroll-lock", L"skrol lok"},
    {L"tab", L"tabulator"}, {L"up", L"strza\u0142ka w g\u00f3r\u0119"}, {L"window", L"windows"},
    {L"caps-lock", L"caps lok"},
};

std::wstring KeyPart(std::wstring_view part) {
  for (const KeyName& entry : kKeys)
    if (entry.key == part) return std::wstring(entry.words);
  if (part.size() == 1) return CharacterName(part[0]);
  // f1..f24, kp-5 and the like: the letters spelled, the number read by the normaliser.
  if (part.size() <= 3 && (part[0] == L'f' || part[0] == L'F')) return L"ef " + std::wstring(part.substr(1));
  return std::wstring(part);
}

}  // namespace

bool IsCapital(wchar_t c) { return LowerChar(c) != c; }

std::wstring CharacterName(wchar_t c) {
  for (const Name& entry : kNames)
    if (entry.c == c) return std::wstring(entry.name);
  const wchar_t capital = IsCapital(c) ? c : CapitalOf(c);
  if (capital != c || IsCapital(c)) return Trimmed(SpellCapitals(std::wstring(1, capital)));
  return std::wstring(1, c);
}

std::wstring CharacterWords(std::wstring_view character, CapitalRecognition capitals, bool& icon) {
  icon = false;
  if (character.empty()) return {};
  // One character as the server sends it; a surrogate pair stays whole.
  if (character.size() > 1) return std::wstring(character);
  const wchar_t c = character[0];
  std::wstring words = CharacterName(c);
  if (IsCapital(c) && capitals == CapitalRecognition::kSpell) words = L"du\u017ce " + words;
  if (IsCapital(c) && capitals == CapitalRecognition::kIcon) icon = true;
  return words;
}

std::wstring SpelledText(std::wstring_view text, CapitalRecognition capitals, std::vector<size_t>* offsets) {
  std::wstring spelled;
  if (offsets) offsets->clear();
  for (const wchar_t c : text) {
    if (offsets) offsets->push_back(spelled.size());
    if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r') {
      if (spelled.empty() || spelled.ends_with(L", ")) continue;
      if (spelled.back() == L' ') spelled.pop_back();
      spelled += L", ";
      continue;
    }
    bool icon = false;
    spelled += CharacterWords(std::wstring_view(&c, 1), capitals == CapitalRecognition::kIcon ? CapitalRecognition::kNone : capitals, icon);
    spelled += L' ';
  }
  if (offsets) offsets->push_back(spelled.size());
  return spelled;
}

std::wstring KeyWords(std::wstring_view key) {
  std::wstring words;
  // "shift_a" is shift, then a; "underscore" and a lone "_" name the key itself.
  if (key == L"_") return CharacterName(L'_');
  size_t start = 0;
  while (start <= key.size()) {
    size_t end = key.find(L'_', start);
    if (end == std::wstring_view::npos) end = key.size();
    const std::wstring_view part = key.substr(start, end - start);
    if (!part.empty()) words += (words.empty() ? L"" : L" ") + KeyPart(part);
    start = end + 1;
  }
  return words;
}

}  // namespace mowik::speechd
