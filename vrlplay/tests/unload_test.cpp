// vrlplay.dll loaded for one sentence and freed, as plug-in hosts and scripting languages do,
// without VRL_VRLUnload first. Each case runs in a process of its own (the test program does
// not link the library), since a library freed too early takes the whole process down.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "vrlplay/vrlplay.h"

namespace {

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The fault this guards against struck on the player's own thread about two seconds after
// the library was freed: give it more than that to show.
void LetThePlayerThreadRun() { Sleep(4000); }

TEST(PlayerUnload, FreeingTheLibraryWhenIdleLeavesTheProcessRunning) {
  HMODULE library = LoadLibraryA("vrlplay.dll");
  ASSERT_NE(library, nullptr);
  auto play = Export<decltype(&VRL_Play)>(library, "VRL_Play");
  auto isPlaying = Export<decltype(&VRL_IsPlaying)>(library, "VRL_IsPlaying");
  // As a reader does: a database selected, a sentence spoken to the end.
  ASSERT_EQ(Export<decltype(&VRL_SetDatabase)>(library, "VRL_SetDatabase")("pl1"), 0);
  ASSERT_EQ(play("a 10\nb 10\n", VRL_WAIT, nullptr, nullptr), 0);
  ASSERT_EQ(isPlaying(), 0);
  FreeLibrary(library);
  LetThePlayerThreadRun();

  // Loaded again, it plays again.
  library = LoadLibraryA("vrlplay.dll");
  ASSERT_NE(library, nullptr);
  play = Export<decltype(&VRL_Play)>(library, "VRL_Play");
  EXPECT_EQ(play("c 10\n", VRL_WAIT, nullptr, nullptr), 0);
  FreeLibrary(library);
  LetThePlayerThreadRun();
}

TEST(PlayerUnload, FreeingTheLibraryWhilePlayingLeavesTheProcessRunning) {
  // The stand-in engine beside the test takes its time over each line, so the play is still
  // going when the library is freed.
  HMODULE engine = LoadLibraryA("varelo.dll");
  ASSERT_NE(engine, nullptr);
  Export<void(WINAPI*)(int)>(engine, "Fake_SetWriteDelay")(5);
  HMODULE library = LoadLibraryA("vrlplay.dll");
  ASSERT_NE(library, nullptr);
  std::string text;
  for (int i = 0; i < 400; ++i) text += "a 10\n";
  ASSERT_EQ(Export<decltype(&VRL_Play)>(library, "VRL_Play")(text.c_str(), 0, nullptr, nullptr), 0);
  ASSERT_EQ(Export<decltype(&VRL_IsPlaying)>(library, "VRL_IsPlaying")(), 1);
  FreeLibrary(library);
  LetThePlayerThreadRun();
  Export<void(WINAPI*)(int)>(engine, "Fake_SetWriteDelay")(0);
}

}  // namespace
