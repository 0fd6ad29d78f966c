// Any sequence of 16-bit units through the whole front end: no crash, no hang, ASCII out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mowik/frontend/speak_text.h"

namespace {

class CheckingSink : public mowik::PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override {
    for (const char c : phonemeText)
      if (static_cast<unsigned char>(c) >= 0x80) __builtin_trap();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  CheckingSink sink;
  mowik::SpeakText(text, mowik::NormaliseOptions{}, sink);
  return 0;
}
