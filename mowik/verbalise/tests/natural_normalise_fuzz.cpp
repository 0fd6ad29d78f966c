// Any sequence of 16-bit units through natural reading: no crash, no hang, no ASCII digit or
// capital left, and the reading within a small multiple of the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mowik/verbalise/normalise_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mowik::NormaliseOptions options;
  options.natural = true;
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  const size_t length = text.size();
  mowik::NormaliseText(text, options);
  if (text.size() > 40 * length + 16) __builtin_trap();
  for (const wchar_t c : text)
    if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) __builtin_trap();
  return 0;
}
