// mowik-say.exe from the Windows folder, end to end: Mowik's pipeline, vrlplay.dll, varelo.dll
// and vovedodudo.dll. What the sound device played (heard through the ALSA capture that ctest
// sets up) must be exactly what the same text gives as a file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "mowik/program/main_module.h"
#include "testing/alsa_capture.h"
#include "testing/scratch_file.h"

namespace mowik {
namespace {

// Runs mowik-say.exe from the Windows folder with arguments; returns its exit code.
DWORD RunMowikSay(const std::wstring& arguments) {
  const std::wstring program = L"" MOWIK_PRODUCT_DIR L"\\mowik-say.exe";
  std::wstring command = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return 9999;
  WaitForSingleObject(process.hThread == nullptr ? process.hProcess : process.hProcess, INFINITE);
  DWORD code = 9999;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::vector<int16_t> Sound(const std::vector<int16_t>& samples) {
  std::vector<int16_t> sound;
  std::copy_if(samples.begin(), samples.end(), std::back_inserter(sound), [](int16_t s) { return s != 0; });
  return sound;
}

TEST(SpeakAloud, TheTestSentencesPlayExactlyAsTheirFiles) {
  ASSERT_FALSE(testing::CapturePath().empty()) << "run through ctest, which sets up the ALSA capture";
  for (size_t i = 0; i < TestSentences.size(); ++i) {
    const std::string raw = testing::ScratchPath(".raw");
    const std::wstring text = L" \"" + TestSentences[i] + L"\"";
    ASSERT_EQ(RunMowikSay(L"--random 0.5 -o \"" + std::wstring(raw.begin(), raw.end()) + L"\"" + text), 0u);
    const std::vector<uint8_t> bytes = testing::ReadBytes(raw);
    std::remove(raw.c_str());
    std::vector<int16_t> file(bytes.size() / 2);
    for (size_t k = 0; k < file.size(); ++k) file[k] = static_cast<int16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
    ASSERT_GT(file.size(), 16000u) << "more than a second of speech";

    ASSERT_EQ(RunMowikSay(L"--random 0.5" + text), 0u);
    const std::vector<int16_t> captured = testing::CapturedSamples();
    // Silence inside the speech and silence the device adds when it runs dry look alike; the
    // sound itself must be the same, sample for sample.
    EXPECT_EQ(Sound(captured), Sound(file)) << "sentence " << i;
    EXPECT_GE(captured.size(), file.size() * 9 / 10) << "sentence " << i;
  }
}

}  // namespace
}  // namespace mowik
