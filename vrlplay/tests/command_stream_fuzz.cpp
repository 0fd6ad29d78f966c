// Runs arbitrary bytes as a command stream against a host that accepts everything; files
// resolve to the input itself, so nesting, file kinds and every command word are reached.
#include <cstddef>
#include <cstdint>
#include <string>

#include "vrlplay/command_stream.h"
#include "vrlplay/stack_error.h"

namespace {

class AcceptingHost : public mowik::CommandHost {
 public:
  explicit AcceptingHost(std::string self) : self_(std::move(self)) {}
  void CheckCancelled() override {}
  void ChangeDirectory(const std::string&) override {}
  void SetVolume(float) override {}
  void ApplyRatio(mowik::RatioKind kind, float value) override {
    sink_ += mowik::RatioLine(kind, value).size();
  }
  void SetVoiceFreq(int) override {}
  void SetNoError(int) override {}
  void SelectDatabase(const std::string&) override {}
  std::string ReadFile(const std::string&) override { return self_; }
  void PlayPhonemes(const std::string& text, bool) override {
    mowik::ForEachLine(text, [&](std::string_view line) { sink_ += line.size(); });
  }
  void DispatchMessages() override {}

 private:
  std::string self_;
  size_t sink_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  AcceptingHost host(text);
  try {
    mowik::RunCommandStream(text, true, host);
  } catch (const mowik::CStackError&) {
  }
  return 0;
}
