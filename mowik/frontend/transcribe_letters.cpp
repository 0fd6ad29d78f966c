#include "mowik/frontend/transcribe_letters.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "mowik/verbalise/collapse_spaces.h"
#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

constexpr std::wstring_view kVowels = L"aeiouyęą";
constexpr std::wstring_view kGlideConsonants = L"pbtdkghwmlrf";
constexpr std::wstring_view kSpeakable = L" qwertyuiopasdfghjklzxcvbnm.!?-,:();";

// One letter of a word, with its neighbours; letters beyond either end read as 0, which no
// test matches.
struct Cursor {
  std::wstring_view word;
  size_t k;

  wchar_t At(size_t offset) const { return k + offset < word.size() ? word[k + offset] : 0; }
  wchar_t Previous() const { return k > 0 ? word[k - 1] : 0; }
  bool IsLast(size_t offset = 0) const { return k + offset + 1 == word.size(); }
};

bool IsVowel(wchar_t c) { return c != 0 && ContainsIgnoringCase(kVowels, c); }
bool IsGlideConsonant(wchar_t c) { return c != 0 && ContainsIgnoringCase(kGlideConsonants, c); }

enum class When : uint8_t {
  Last,            // the letter ends the word
  NextIn,          // the next letter is one of `letters`
  NextSoftI,       // the next letter is i: soft i
  NextIsLastZ,     // the next letter is z and ends the word
  AfterNextSoftI,  // the next letter is z and the one after it is i: soft i
  Always,
};

struct LetterRule {
  wchar_t letter;
  When when;
  std::wstring_view letters;
  const wchar_t* phoneme;
  uint8_t consumed;  // letters after the current one that the rule covers (a soft i included)
};

// Consonant rows, tried top to bottom for the current letter; the first that holds applies.
constexpr LetterRule kRules[] = {
    {L'n', When::Last, {}, L"n", 0},
    {L'n', When::NextIn, L"gk", L"N", 0},
    {L'n', When::NextSoftI, {}, L"n'", 1},
    {L'n', When::Always, {}, L"n", 0},
    {L'c', When::Last, {}, L"ts", 0},
    {L'c', When::NextSoftI, {}, L"ts'", 1},
    {L'c', When::NextIn, L"z", L"tS", 1},
    {L'c', When::NextIn, L"h", L"x", 1},
    {L'c', When::Always, {}, L"ts", 0},
    {L's', When::Last, {}, L"s", 0},
    {L's', When::NextSoftI, {}, L"s'", 1},
    {L's', When::NextIn, L"z", L"S", 1},
    {L's', When::Always, {}, L"s", 0},
    {L'z', When::Last, {}, L"z", 0},
    {L'z', When::NextSoftI, {}, L"z'", 1},
    {L'z', When::Always, {}, L"z", 0},
    {L'r', When::NextIn, L"z", L"Z", 1},
    {L'r', When::Always, {}, L"r", 0},
    {L'd', When::Last, {}, L"d", 0},
    {L'd', When::NextIsLastZ, {}, L"dz", 1},
    {L'd', When::AfterNextSoftI, {}, L"dz'", 2},
    {L'd', When::NextIn, L"z", L"dz", 1},
    {L'd', When::Always, {}, L"d", 0},
    {L'y', When::Always, {}, L"I", 0},
    {L'w', When::Always, {}, L"v", 0},
    {L'ż', When::Always, {}, L"Z", 0},
    {L'ś', When::Always, {}, L"s'", 0},
    {L'ź', When::Always, {}, L"z'", 0},
    {L'ć', When::Always, {}, L"ts'", 0},
    {L'ń', When::Always, {}, L"n'", 0},
    {L'ł', When::Always, {}, L"w", 0},
    {L'h', When::Always, {}, L"x", 0},
    {L'ó', When::Always, {}, L"u", 0},
};

// The rows of one letter: kRules keeps each letter's rows together.
std::span<const LetterRule> RulesOf(wchar_t c) {
  const LetterRule* first = std::find_if(std::begin(kRules), std::end(kRules),
                                         [c](const LetterRule& rule) { return rule.letter == c; });
  const LetterRule* last = std::find_if(first, std::end(kRules),
                                        [c](const LetterRule& rule) { return rule.letter != c; });
  return {first, last};
}

bool Holds(const LetterRule& rule, const Cursor& at) {
  switch (rule.when) {
    case When::Last: return at.IsLast();
    case When::NextIn: return at.At(1) != 0 && rule.letters.find(at.At(1)) != std::wstring_view::npos;
    case When::NextSoftI: return at.At(1) == L'i';
    case When::NextIsLastZ: return at.At(1) == L'z' && at.IsLast(1);
    case When::AfterNextSoftI: return at.At(1) == L'z' && at.At(2) == L'i';
    case When::Always: return true;
  }
  return false;
}

// The i after a palatal consonant: it softens, and is spoken too unless a vowel follows it.
void PushSoftI(const wchar_t* palatal, const Cursor& at, size_t iOffset, ClsStackCollection& list) {
  list.Push(palatal);
  if (at.IsLast(iOffset) || !IsVowel(at.At(iOffset + 1))) list.Push(L"i");
}

// The consonant a non-final ę or ą splits off, chosen by what follows; nullptr for none.
const wchar_t* NasalConsonant(const Cursor& at) {
  switch (at.At(1)) {
    case L'b': case L'p': return L"m";
    case L'k': case L'g': return L"N";
    case L'l': case L'ł': return nullptr;
    case L't': return L"n";
    case L'c': return at.At(2) == L'i' ? L"n'" : L"n";
    case L'ć': return L"n'";
    case L'd': return (at.At(2) == L'ź' || (at.At(2) == L'z' && at.At(3) == L'i')) ? L"n'" : L"n";
    default: return L"n";
  }
}

void PushNasalVowel(const wchar_t* nasal, const wchar_t* oral, const Cursor& at,
                    ClsStackCollection& list) {
  if (at.IsLast()) {
    list.Push(nasal);
    return;
  }
  list.Push(oral);
  if (const wchar_t* consonant = NasalConsonant(at)) list.Push(consonant);
}

void PushI(const Cursor& at, ClsStackCollection& list) {
  if (!at.IsLast() && at.k != 0 && IsVowel(at.At(1))) {
    if (IsGlideConsonant(at.Previous())) list.Push(L"j");  // otherwise the i only softens
    return;
  }
  list.Push(L"i");
}

// Transcribes the letter under the cursor; returns how many letters after it were consumed.
size_t TranscribeLetter(const Cursor& at, ClsStackCollection& list) {
  const wchar_t c = at.At(0);
  switch (c) {
    case L'i': PushI(at, list); return 0;
    case L'ę': PushNasalVowel(L"e~", L"e", at, list); return 0;
    case L'ą': PushNasalVowel(L"o~", L"o", at, list); return 0;
  }
  for (const LetterRule& rule : RulesOf(c)) {
    if (!Holds(rule, at)) continue;
    if (rule.when == When::NextSoftI || rule.when == When::AfterNextSoftI)
      PushSoftI(rule.phoneme, at, rule.consumed, list);
    else
      list.Push(rule.phoneme);
    return rule.consumed;
  }
  if (std::find(kSpeakable.begin(), kSpeakable.end(), c) != kSpeakable.end()) list.Push(std::wstring(1, c));
  return 0;
}

}  // namespace

void TranscribeLetters(std::wstring_view piece, ClsStackCollection& list) {
  const std::wstring text = CollapseSpaces(piece);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L' ', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring_view word(text.data() + start, end - start);
    for (size_t k = 0; k < word.size(); ++k) k += TranscribeLetter(Cursor{word, k}, list);
    list.Push(L" ");
    start = end + 1;
  }
}

}  // namespace mowik
