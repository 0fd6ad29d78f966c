#include "mowik/verbalise/polish_case.h"

namespace mowik {
namespace {

// Latin Extended-A pairs capital and small letter as neighbours; these are the stretches in
// which the capital sits on the even code (otherwise on the odd one).
constexpr bool CapitalIsEven(wchar_t c) {
  return (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
}

}  // namespace

wchar_t LowerChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
  if (c < 0x00C0) return c;
  if (c <= 0x00DE) return c == 0x00D7 ? c : static_cast<wchar_t>(c + 0x20);  // not ×
  if (c < 0x0100 || c > 0x017F) return c;
  switch (c) {
    case 0x0130: return L'i';     // İ
    case 0x0178: return 0x00FF;   // Ÿ
    case 0x0131: case 0x0138: case 0x0149: case 0x017F: return c;  // small letters without a pair
  }
  if (CapitalIsEven(c)) return (c % 2 == 0) ? static_cast<wchar_t>(c + 1) : c;
  return (c % 2 == 1) ? static_cast<wchar_t>(c + 1) : c;
}

std::wstring LowerText(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result) c = LowerChar(c);
  return result;
}

bool ContainsIgnoringCase(std::wstring_view set, wchar_t c) {
  const wchar_t lower = LowerChar(c);
  for (const wchar_t s : set)
    if (LowerChar(s) == lower) return true;
  return false;
}

}  // namespace mowik
