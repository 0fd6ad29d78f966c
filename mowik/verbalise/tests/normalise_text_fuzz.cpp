// Any sequence of 16-bit units through the normalisation, spelling on or off by the first
// byte: no crash, no hang, and with spelling on no ASCII digit or capital survives.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mowik/verbalise/normalise_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  mowik::NormaliseOptions options;
  options.spellCapital = (data[0] & 1) != 0;
  std::wstring text;
  for (size_t i = 1; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  mowik::NormaliseText(text, options);
  if (options.spellCapital)
    for (const wchar_t c : text)
      if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) __builtin_trap();
  return 0;
}
