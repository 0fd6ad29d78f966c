// The assembled Windows folder: vrlplay.dll loaded from it by path finds varelo.dll and the
// voice pl1 beside itself, with no registry entry for pl1, and speaks into a file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "vrlplay/vrlplay.h"

#ifndef MOWIK_WINDOWS_FOLDER
#error "MOWIK_WINDOWS_FOLDER names the folder under test"
#endif

namespace {

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TEST(WindowsFolder, Pl1SpeaksWithAnEmptyRegistry) {
  const std::string folder = MOWIK_WINDOWS_FOLDER;
  HMODULE player = LoadLibraryExA((folder + "\\vrlplay.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(player, nullptr);
  auto unregister = Export<int(VRL_API*)(const char*)>(player, "VRL_UnregisterDatabase");
  auto setDatabase = Export<int(VRL_API*)(const char*)>(player, "VRL_SetDatabase");
  auto play = Export<int(VRL_API*)(const char*, int, const char*, void*)>(player, "VRL_Play");
  auto lastError = Export<int(VRL_API*)(char*, int)>(player, "VRL_LastError");
  auto unload = Export<void(VRL_API*)()>(player, "VRL_VRLUnload");
  ASSERT_TRUE(unregister && setDatabase && play && lastError && unload);

  char message[512] = {};
  unregister("pl1");
  EXPECT_EQ(setDatabase("pl1"), 0) << (lastError(message, sizeof message), message);

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string out = std::string(temp) + "vrlplay_folder_test.raw";
  std::remove(out.c_str());
  EXPECT_EQ(play("_ 50 0 120\na 200 0 120\n_ 50 0 120\n", VRL_WAIT | VRL_OUT_FILE_TYPE2, out.c_str(), nullptr), 0)
      << (lastError(message, sizeof message), message);
  unload();
  FreeLibrary(player);

  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(out.c_str(), GetFileExInfoStandard, &data));
  EXPECT_GT(data.nFileSizeLow, 2u * 16000u * 250u / 1000u / 2u);  // about 250 ms of samples
  std::remove(out.c_str());
}

}  // namespace
