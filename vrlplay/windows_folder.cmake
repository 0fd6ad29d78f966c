# The Windows folder: the product's programs, libraries and voice side by side in
# build/<preset>/product, so that it can be copied anywhere and run. Set up once every folder
# of the project is known, since the pieces live in several of them. Each library's export
# table is checked as it is built: undecorated names, the audio library's ordinals in place.
function(vrlplay_windows_folder)
  set(folder ${PROJECT_BINARY_DIR}/product)
  set(commands)
  set(parts)
  foreach(target mowik mowik-say vrlplay VrlCpl varelo vovedodudo)
    if(TARGET ${target})
      list(APPEND parts ${target})
      list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${folder}/)
    endif()
  endforeach()
  if(TARGET varelo)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE_DIR:varelo>/pl1 ${folder}/)
  endif()
  set(check ${PROJECT_SOURCE_DIR}/cmake/check_exports.cmake)
  file(STRINGS ${PROJECT_SOURCE_DIR}/vrlplay/vrlplay.def vrlplay_lines REGEX "^  VRL_")
  string(REPLACE "  " "" vrlplay_names "${vrlplay_lines}")
  list(APPEND commands COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:vrlplay>
       "-DNAMES=${vrlplay_names}" -P ${check})
  if(TARGET varelo)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:varelo>
         "-DNAMES=init_VRL;write_VRL;read_VRL;flush_VRL;appendf0_Phone" -P ${check})
  endif()
  if(TARGET vovedodudo)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:vovedodudo>
         -DORDINAL_COUNT=5 -P ${check})  # exported by ordinal only
  endif()
  add_custom_target(windows_folder ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    ${commands}
    COMMENT "Assembling the Windows folder in ${folder} and checking its export tables")
  add_dependencies(windows_folder ${parts})

  # Once the engine and the audio library are part of the build, the folder itself is tested.
  if(TARGET varelo AND TARGET vovedodudo AND COMMAND vrlplay_wine_test AND NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_executable(vrlplay_windows_folder_test ${PROJECT_SOURCE_DIR}/vrlplay/tests/windows_folder_test.cpp)
    target_include_directories(vrlplay_windows_folder_test PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(vrlplay_windows_folder_test PRIVATE "MOWIK_WINDOWS_FOLDER=\"Z:${folder}\"")
    target_link_libraries(vrlplay_windows_folder_test PRIVATE GTest::gtest_main)
    add_dependencies(vrlplay_windows_folder_test windows_folder)
    gtest_discover_tests(vrlplay_windows_folder_test
      PROPERTIES LABELS player RESOURCE_LOCK vrlplay_wine TIMEOUT 300 DISCOVERY_TIMEOUT 300)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vrlplay_windows_folder)
