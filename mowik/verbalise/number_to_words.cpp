#include "mowik/verbalise/number_to_words.h"

#include <array>

#include "mowik/verbalise/number_word_rows.h"

namespace mowik {
namespace {

// A group word in its three forms: after exactly one, after 2-4 (not 12-14), after the rest.
struct GroupWord {
  std::wstring_view one, few, many;
};

// Indexed by group: thousands, millions, thousand millions.
constexpr GroupWord kGroupWords[] = {
    {L"tysi\u0105c ", L"tysi\u0105ce ", L"tysi\u0119cy "},
    {L"milion ", L"miliony ", L"milion\u00F3w "},
    {L"miliard ", L"miliardy ", L"miliard\u00F3w "},
};

constexpr size_t kLongestNumber = 12;

int DigitValue(wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : 0; }

std::wstring_view GroupWordFor(const GroupWord& word, int value) {
  if (value == 0) return L"";
  if (value == 1) return word.one;
  const int last = value % 10, last_two = value % 100;
  if (last >= 2 && last <= 4 && (last_two < 12 || last_two > 14)) return word.few;
  return word.many;
}

std::wstring DigitByDigit(std::wstring_view digits) {
  std::wstring words;
  for (const wchar_t c : digits) words += kUnitWords[static_cast<size_t>(DigitValue(c))];
  return words;
}

}  // namespace

std::wstring NumberToWords(std::wstring_view digits) {
  const std::wstring_view n = digits.substr(0, digits.find(L','));
  if (n.size() >= kLongestNumber + 1) return DigitByDigit(n);

  bool zero = true;
  for (const wchar_t c : n) zero = zero && DigitValue(c) == 0;
  // Digits from the right, 1-based, as the word table is laid out; 0 beyond the left end.
  const auto digit = [&](size_t i) { return i <= n.size() ? DigitValue(n[n.size() - i]) : 0; };

  // Words are collected right to left and joined in reverse at the end.
  std::array<std::wstring_view, 2 * kLongestNumber> parts;
  size_t count = 0;
  for (size_t i = 1; i <= n.size(); ++i) {
    const int d = digit(i);
    const size_t place = (i - 1) % 3;  // 0 units, 1 tens, 2 hundreds
    if (place == 0 && i > 1) {
      const int group = digit(i) + 10 * digit(i + 1) + 100 * digit(i + 2);
      parts[count++] = GroupWordFor(kGroupWords[i / 3 - 1], group);
    }
    if (place == 0 && digit(i + 1) == 1) {
      parts[count++] = kTeenWords[static_cast<size_t>(d)];
      ++i;  // the tens digit is read with the teens word
    } else if (place == 0) {
      parts[count++] = d == 0 && !zero ? L"" : kUnitWords[static_cast<size_t>(d)];
    } else {
      parts[count++] = (place == 1 ? kTenWords : kHundredWords)[static_cast<size_t>(d)];
    }
  }
  std::wstring words;
  while (count > 0) words += parts[--count];
  return words;
}

}  // namespace mowik
