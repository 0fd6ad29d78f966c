#include <stdexcept>
#include <string>

#include "vrlplay/audio/tests/fake_vovedodudo.h"

namespace mowik::testing {
namespace {

template <typename Fn>
Fn Entry(HMODULE module, int ordinal) {
  const auto entry = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
  if (!entry) throw std::runtime_error("the fake vovedodudo.dll is not beside the test");
  return entry;
}

}  // namespace

FakeAudio::FakeAudio(const FakeAudioBehaviour& behaviour) : module_(GetModuleHandleA("vovedodudo.dll")) {
  Entry<FakeAudioSetupFn>(module_, 100)(&behaviour);
}

std::vector<std::string> FakeAudio::Log() const {
  const auto log = Entry<FakeAudioLogFn>(module_, 101);
  std::string text(static_cast<size_t>(log(nullptr, 0)), '\0');
  log(text.data(), static_cast<int>(text.size()));
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::vector<uint8_t> FakeAudio::Data() const {
  const auto data = Entry<FakeAudioDataFn>(module_, 102);
  std::vector<uint8_t> bytes(static_cast<size_t>(data(nullptr, 0)));
  data(bytes.data(), static_cast<int>(bytes.size()));
  return bytes;
}

}  // namespace mowik::testing
