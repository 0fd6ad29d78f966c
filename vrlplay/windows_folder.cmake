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
         "-DORDINALS=1:AudioOpen;2:AudioStop;3:AudioClose;4:AudioSetFormat;5:AudioWrite" -P ${check})
  endif()
  add_custom_target(windows_folder ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    ${commands}
    COMMENT "Assembling the Windows folder in ${folder} and checking its export tables")
  add_dependencies(windows_folder ${parts})
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vrlplay_windows_folder)
