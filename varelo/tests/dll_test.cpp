// varelo.dll as a player uses it: loaded by name, its 23 entry points resolved by name.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "varelo/varelo.h"

namespace {

const char* const kEntryPoints[] = {
    "init_VRL",         "init_rename_VRL",    "write_VRL",          "flush_VRL",
    "read_VRL",         "readtype_VRL",       "close_VRL",          "reset_VRL",
    "lastError_VRL",    "lastErrorStr_VRL",   "setNoError_VRL",     "getNoError_VRL",
    "setFreq_VRL",      "getFreq_VRL",        "setVolumeRatio_VRL", "getVolumeRatio_VRL",
    "getVersion_VRL",   "getDatabaseInfo_VRL", "setParser_VRL",     "init_Phone",
    "reset_Phone",      "close_Phone",        "appendf0_Phone"};

class Varelo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = LoadLibraryA("varelo.dll"); }
  template <typename F>
  F Get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  // Writes the lines, flushes and reads everything, retrying as the player does.
  std::vector<short> Speak(const std::string& text, int* error) {
    auto write = Get<decltype(&write_VRL)>("write_VRL");
    auto flush = Get<decltype(&flush_VRL)>("flush_VRL");
    auto read = Get<decltype(&read_VRL)>("read_VRL");
    std::vector<short> out;
    short block[VRL_BLOCK_SAMPLES];
    *error = 0;
    auto drain = [&] {
      for (int n; (n = read(block, VRL_BLOCK_SAMPLES)) != 0;) {
        if (n < 0) {
          *error = n;
          return;
        }
        out.insert(out.end(), block, block + n);
      }
    };
    size_t at = 0;
    while (at < text.size()) {
      const size_t end = text.find('\n', at) + 1;
      const std::string line = text.substr(at, end - at);
      if (!write(line.c_str())) {
        drain();
        EXPECT_NE(write(line.c_str()), 0);
      }
      at = end;
    }
    if (!flush()) {
      drain();
      EXPECT_NE(flush(), 0);
    }
    drain();
    return out;
  }
  static HMODULE module_;
};

HMODULE Varelo::module_ = nullptr;

TEST_F(Varelo, ExportsEveryEntryPointByItsPlainName) {
  ASSERT_NE(module_, nullptr);
  for (const char* name : kEntryPoints)
    EXPECT_NE(GetProcAddress(module_, name), nullptr) << name;
}

TEST_F(Varelo, FindsPl1BesideItselfAndSpeaksMowiksLines) {
  ASSERT_NE(module_, nullptr);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);  // so only the look-up beside the DLL can find it
  ASSERT_EQ(Get<decltype(&init_VRL)>("init_VRL")("pl1"), 0);
  EXPECT_EQ(Get<decltype(&getFreq_VRL)>("getFreq_VRL")(), 16000);
  int error = 0;
  // As the player passes Mowik's text: the lone CR first, CR LF line ends.
  const std::vector<short> x =
      Speak("\r\n;; F =  1.000\n;; T =  1.000\na 70 0 240\r\nl 70 0 220\r\na 70 0 200\r\n_ 200 0 160\r\n", &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(x.size(), 410u * 16);
}

TEST_F(Varelo, ReportsABadLineThroughReadAndTheErrorText) {
  ASSERT_EQ(Get<decltype(&init_VRL)>("init_VRL")("pl1"), 0);
  int error = 0;
  Speak("a 70 0 120\nQQ 70\n", &error);
  EXPECT_EQ(error, VARELO_ERR_BAD_LINE);
  EXPECT_EQ(Get<decltype(&lastError_VRL)>("lastError_VRL")(), VARELO_ERR_BAD_LINE);
  char text[VRL_ERROR_TEXT];
  std::memset(text, '#', sizeof text);
  Get<decltype(&lastErrorStr_VRL)>("lastErrorStr_VRL")(text, sizeof text);
  EXPECT_STREQ(text, "line 2 \"QQ 70\": unknown phoneme \"QQ\"");
  char small[8];
  Get<decltype(&lastErrorStr_VRL)>("lastErrorStr_VRL")(small, sizeof small);
  EXPECT_STREQ(small, "line 2 ");
  Get<decltype(&reset_VRL)>("reset_VRL")();
  Get<decltype(&setNoError_VRL)>("setNoError_VRL")(1);
  EXPECT_EQ(Get<decltype(&getNoError_VRL)>("getNoError_VRL")(), 1);
  EXPECT_EQ(Speak("a 70 0 120\nQQ 70\n", &error).size(), 140u * 16);
  EXPECT_EQ(error, 0);
  Get<decltype(&setNoError_VRL)>("setNoError_VRL")(0);
  EXPECT_NE(Get<decltype(&init_VRL)>("init_VRL")("no such database"), 0);
}

int WINAPI Uppercase(const char* line, char* out, int size) {
  if (std::strncmp(line, "A ", 2) != 0) return 0;
  std::snprintf(out, static_cast<size_t>(size), "a%s", line + 1);
  return 1;
}

TEST_F(Varelo, SmallerEntryPoints) {
  ASSERT_EQ(Get<decltype(&init_rename_VRL)>("init_rename_VRL")("pl1", "r R", "a aa"), 0);
  char text[200];
  EXPECT_GT(Get<decltype(&getVersion_VRL)>("getVersion_VRL")(text, sizeof text), 0);
  EXPECT_EQ(std::string(text).rfind("varelo", 0), 0u);
  const int size = Get<decltype(&getDatabaseInfo_VRL)>("getDatabaseInfo_VRL")(nullptr, 0, 1);
  ASSERT_GT(size, 0);
  std::vector<char> info(static_cast<size_t>(size));
  Get<decltype(&getDatabaseInfo_VRL)>("getDatabaseInfo_VRL")(info.data(), size, 1);
  EXPECT_STREQ(info.data(), "language: Polish (pl)");
  EXPECT_LE(Get<decltype(&getDatabaseInfo_VRL)>("getDatabaseInfo_VRL")(nullptr, 0, 50), 0);

  Get<decltype(&setVolumeRatio_VRL)>("setVolumeRatio_VRL")(0.5f);
  EXPECT_EQ(Get<decltype(&getVolumeRatio_VRL)>("getVolumeRatio_VRL")(), 0.5f);
  Get<decltype(&setVolumeRatio_VRL)>("setVolumeRatio_VRL")(1.0f);

  // Renamed and cloned symbols, a parser, a phone object, and readtype.
  Get<decltype(&setParser_VRL)>("setParser_VRL")(Uppercase);
  auto phone = Get<decltype(&init_Phone)>("init_Phone")("o", 50);
  ASSERT_NE(phone, nullptr);
  EXPECT_EQ(Get<decltype(&appendf0_Phone)>("appendf0_Phone")(phone, 0, 150), 1);
  EXPECT_EQ(Get<decltype(&appendf0_Phone)>("appendf0_Phone")(phone, 120, 150), 0);
  Get<decltype(&reset_Phone)>("reset_Phone")(phone);
  EXPECT_EQ(Get<decltype(&appendf0_Phone)>("appendf0_Phone")(phone, 50, 140), 1);
  EXPECT_EQ(Get<decltype(&close_Phone)>("close_Phone")(phone), 1);
  int error = 0;
  EXPECT_EQ(Speak("A 50\nR 50\naa 50\n", &error).size(), 200u * 16);
  EXPECT_EQ(error, 0);
  Get<decltype(&setParser_VRL)>("setParser_VRL")(nullptr);
  Get<decltype(&write_VRL)>("write_VRL")("_ 100\n");
  Get<decltype(&flush_VRL)>("flush_VRL")();
  short block[VRL_BLOCK_SAMPLES];
  int type = -1;
  EXPECT_EQ(Get<decltype(&readtype_VRL)>("readtype_VRL")(block, VRL_BLOCK_SAMPLES, &type), 1600);
  EXPECT_EQ(type, 0);
  Get<decltype(&close_VRL)>("close_VRL")();
  EXPECT_LT(Get<decltype(&read_VRL)>("read_VRL")(block, VRL_BLOCK_SAMPLES), 0);
}

TEST_F(Varelo, CallsFromAnotherThreadWhileSynthesizing) {
  ASSERT_EQ(Get<decltype(&init_VRL)>("init_VRL")("pl1"), 0);
  std::atomic<bool> done{false};
  auto getFreq = Get<decltype(&getFreq_VRL)>("getFreq_VRL");
  auto setVolume = Get<decltype(&setVolumeRatio_VRL)>("setVolumeRatio_VRL");
  auto info = Get<decltype(&getDatabaseInfo_VRL)>("getDatabaseInfo_VRL");
  std::thread caller([&] {
    char text[200];
    while (!done) {
      EXPECT_EQ(getFreq(), 16000);
      setVolume(1.0f);
      info(text, sizeof text, 3);
    }
  });
  std::string text;
  for (int i = 0; i < 200; ++i) text += "t 70 0 150\na 70 0 160\nk 70 0 140\n";
  int error = 0;
  EXPECT_EQ(Speak(text, &error).size(), 200u * 210 * 16);
  EXPECT_EQ(error, 0);
  done = true;
  caller.join();
}

}  // namespace
