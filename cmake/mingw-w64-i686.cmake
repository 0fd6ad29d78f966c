# Cross build for 32-bit Windows with MinGW-w64 (posix threads): the Windows folder for 32-bit
# callers and the tests of what they load, run under Wine's 32-bit loader (wine32) where the
# machine can run 32-bit code.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic, as in the 64-bit and native builds: the x87 unit's 80-bit intermediates
# round differently, so the engine would speak other bytes than the other builds (every
# Windows that runs Mowik has SSE2). Windows enters our callbacks, exports and threads with
# a stack aligned to 4 bytes only, while GCC assumes 16 for SSE spills: realign it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# The test programs list their cases when ctest runs, not when they are built, so that the
# 32-bit tests also build on a machine that cannot run 32-bit programs.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
