# vrlplay.dll: the exports over the player, the engine binding, the registry and the output seam.
add_library(vrlplay SHARED
  exports.cpp
  player.cpp
  play_thread.cpp
  engine_binding.cpp
  database_registry.cpp
  output_adapter.cpp
)
# 32-bit stdcall names carry their argument size; the export table drops it either way.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_sources(vrlplay PRIVATE vrlplay32.def)
  # The linker's own import library would lose the decorations too; callers' references are
  # decorated, so the import library is made from the decorated list, importing plain names.
  find_program(VRLPLAY_DLLTOOL NAMES ${CMAKE_C_COMPILER_TARGET}-dlltool i686-w64-mingw32-dlltool REQUIRED)
  add_custom_command(TARGET vrlplay POST_BUILD
    COMMAND ${VRLPLAY_DLLTOOL} -k -d ${CMAKE_CURRENT_SOURCE_DIR}/vrlplay32.def -D vrlplay.dll
            -l $<TARGET_LINKER_FILE:vrlplay>)
else()
  target_sources(vrlplay PRIVATE vrlplay.def)
endif()
set_target_properties(vrlplay PROPERTIES PREFIX "" OUTPUT_NAME vrlplay)
# The outputs import vovedodudo.dll by ordinal.
target_link_libraries(vrlplay PRIVATE vrlplay_core vrlplay_audio mowik_win32)
# Undecorated export names in the 32-bit build too (VRL_Play, not VRL_Play@16).
target_link_options(vrlplay PRIVATE -Wl,--kill-at)

# Tests run against the real vrlplay.dll loaded by name, beside stand-in varelo.dll and
# vovedodudo.dll that record what the player did; all of them live in their own folder so the
# stand-ins never meet the real libraries.
set(player_test_bin ${CMAKE_CURRENT_BINARY_DIR}/testbin)
set(VRLPLAY_TEST_BIN ${player_test_bin} CACHE INTERNAL "Folder of the player tests and their stand-ins")
foreach(fake varelo vovedodudo)
  add_library(player_fake_${fake} SHARED tests/fake_${fake}.cpp tests/fake_${fake}.def)
  set_target_properties(player_fake_${fake} PROPERTIES PREFIX "" OUTPUT_NAME ${fake}
    RUNTIME_OUTPUT_DIRECTORY ${player_test_bin})
  target_link_options(player_fake_${fake} PRIVATE -Wl,--kill-at)
endforeach()
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()  # the 32-bit build proves the exports; its tests are not run
endif()
add_custom_target(vrlplay_test_copy ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vrlplay> ${player_test_bin}/vrlplay.dll
  DEPENDS vrlplay)

add_library(player_test_support STATIC tests/player_test_support.cpp)
target_link_libraries(player_test_support PUBLIC vrlplay)
target_include_directories(player_test_support PUBLIC ${PROJECT_SOURCE_DIR})

# Player tests share the registry list and one display; they run one at a time.
function(vrlplay_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE player_test_support GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VRLPLAY_TEST_BIN})
  add_dependencies(${name} vrlplay_test_copy player_fake_varelo player_fake_vovedodudo)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${VRLPLAY_TEST_BIN}
    PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine TIMEOUT 300 DISCOVERY_TIMEOUT 300)
endfunction()

vrlplay_wine_test(vrlplay_player_test SOURCES tests/player_test.cpp)
vrlplay_wine_test(vrlplay_registry_test SOURCES tests/registry_test.cpp)

# The same player beside an engine that lacks an entry point.
set(no_engine_bin ${CMAKE_CURRENT_BINARY_DIR}/testbin-noengine)
add_library(fake_varelo_incomplete SHARED tests/fake_varelo.cpp tests/fake_varelo_incomplete.def)
set_target_properties(fake_varelo_incomplete PROPERTIES PREFIX "" OUTPUT_NAME varelo
  RUNTIME_OUTPUT_DIRECTORY ${no_engine_bin})
target_link_options(fake_varelo_incomplete PRIVATE -Wl,--kill-at)
add_executable(vrlplay_no_engine_test tests/no_engine_test.cpp)
target_link_libraries(vrlplay_no_engine_test PRIVATE vrlplay GTest::gtest_main)
target_include_directories(vrlplay_no_engine_test PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(vrlplay_no_engine_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${no_engine_bin})
# vrlplay.dll imports the audio library, so the stand-in one goes there too.
add_custom_command(TARGET vrlplay_no_engine_test POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vrlplay> ${no_engine_bin}/vrlplay.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:player_fake_vovedodudo> ${no_engine_bin}/vovedodudo.dll)
add_dependencies(vrlplay_no_engine_test fake_varelo_incomplete player_fake_vovedodudo)
gtest_discover_tests(vrlplay_no_engine_test WORKING_DIRECTORY ${no_engine_bin}
  PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine TIMEOUT 300 DISCOVERY_TIMEOUT 300)
vrlplay_wine_test(vrlplay_load_test SOURCES tests/load_test.cpp)

# Hosts that load the library for one sentence and free it: the test program loads it by name
# (it does not link it), one process per case.
add_executable(vrlplay_unload_test tests/unload_test.cpp)
target_link_libraries(vrlplay_unload_test PRIVATE GTest::gtest_main)
target_include_directories(vrlplay_unload_test PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(vrlplay_unload_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VRLPLAY_TEST_BIN})
add_dependencies(vrlplay_unload_test vrlplay_test_copy player_fake_varelo player_fake_vovedodudo)
gtest_discover_tests(vrlplay_unload_test WORKING_DIRECTORY ${VRLPLAY_TEST_BIN}
  PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine TIMEOUT 300 DISCOVERY_TIMEOUT 300)

# Benchmark (prints figures, asserts nothing): wine build/windows/vrlplay/testbin/player_bench.exe
add_executable(player_bench bench/player_bench.cpp)
target_link_libraries(player_bench PRIVATE player_test_support)
set_target_properties(player_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VRLPLAY_TEST_BIN})
add_dependencies(player_bench vrlplay_test_copy player_fake_varelo player_fake_vovedodudo)

# End to end: the real vrlplay.dll and vovedodudo.dll beside the stand-in engine, in a folder
# of their own. The sound device is heard through an ALSA configuration whose default device
# writes every played byte to a capture file (see vovedodudo/CMakeLists.txt); files are read
# by sox.
set(real_audio_bin ${CMAKE_CURRENT_BINARY_DIR}/testbin-audio)
add_custom_target(vrlplay_real_audio_copy ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${real_audio_bin}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vrlplay> ${real_audio_bin}/vrlplay.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vovedodudo> ${real_audio_bin}/vovedodudo.dll
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:player_fake_varelo> ${real_audio_bin}/varelo.dll)
add_dependencies(vrlplay_real_audio_copy vrlplay vovedodudo player_fake_varelo)

set(capture ${CMAKE_CURRENT_BINARY_DIR}/vrlplay_real_audio_test.capture.raw)
configure_file(${PROJECT_SOURCE_DIR}/vovedodudo/tests/capture.asoundrc.in
  ${CMAKE_CURRENT_BINARY_DIR}/vrlplay_real_audio_test.asoundrc @ONLY)
add_executable(vrlplay_real_audio_test tests/real_audio_test.cpp)
target_link_libraries(vrlplay_real_audio_test PRIVATE vrlplay GTest::gtest_main)
target_include_directories(vrlplay_real_audio_test PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(vrlplay_real_audio_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${real_audio_bin})
add_dependencies(vrlplay_real_audio_test vrlplay_real_audio_copy)
gtest_discover_tests(vrlplay_real_audio_test WORKING_DIRECTORY ${real_audio_bin} DISCOVERY_TIMEOUT 300
  PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine TIMEOUT 300
  ENVIRONMENT "ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:${CMAKE_CURRENT_BINARY_DIR}/vrlplay_real_audio_test.asoundrc")

add_executable(play_sample_files tests/play_sample_files.cpp)
target_link_libraries(play_sample_files PRIVATE vrlplay)
target_include_directories(play_sample_files PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(play_sample_files PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${real_audio_bin})
add_dependencies(play_sample_files vrlplay_real_audio_copy)
add_test(NAME vrlplay.played_files_read_by_sox
  COMMAND ${CMAKE_COMMAND} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
    -DPROGRAM=$<TARGET_FILE:play_sample_files> -DDIR=${CMAKE_CURRENT_BINARY_DIR}/played_files
    -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_played_files.cmake)
set_tests_properties(vrlplay.played_files_read_by_sox PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine)

# The player imports the audio library by ordinal, as the library exports it.
add_test(NAME vrlplay.imports_the_audio_library_by_ordinal
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:vrlplay>
    -P ${PROJECT_SOURCE_DIR}/vrlplay/audio/tests/check_ordinal_imports.cmake)
set_tests_properties(vrlplay.imports_the_audio_library_by_ordinal PROPERTIES LABELS player)
