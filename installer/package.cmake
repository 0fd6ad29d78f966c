# Packages the Windows folder as it stands: the setup program (makensis) and the portable zip.
#   cmake -DPRODUCT_DIR=... -DVERSION=1.2.3 -DOUT_DIR=... -DWORK_DIR=... -DMAKENSIS=...
#         -DNSI=.../mowik.nsi [-DICON=...] [-DSETUP_NAME=...] [-DFAST=ON] [-DZIP=OFF]
#         [-DSTRIP=x86_64-w64-mingw32-strip] -P package.cmake
# With STRIP the programs and libraries are packaged without their debug information (the
# build keeps it), from WORK_DIR/stage.
# The product's files in the folder are packaged (mowik.exe and mowik-sapi.dll too once they
# are built); the uninstaller gets the same list. Nothing is redone while the folder, the script
# and the version are unchanged.
foreach(required PRODUCT_DIR VERSION OUT_DIR WORK_DIR MAKENSIS NSI)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "package.cmake: ${required} is not set")
  endif()
endforeach()
if(NOT DEFINED SETUP_NAME)
  set(SETUP_NAME mowik-setup-${VERSION}.exe)
endif()
if(NOT DEFINED ZIP)
  set(ZIP ON)
endif()
set(setup ${OUT_DIR}/${SETUP_NAME})
set(zip_name mowik-${VERSION}-win64)
set(zip ${OUT_DIR}/${zip_name}.zip)

# The deliverables of the folder (it is also CMake's build folder of product/, with its test
# program and make files): the parts always built, and those that join when they are built.
set(files mowik-say.exe vrlplay.dll varelo.dll pl1 vovedodudo.dll VrlCpl.exe)
foreach(required ${files})
  if(NOT EXISTS ${PRODUCT_DIR}/${required})
    message(FATAL_ERROR "package.cmake: ${PRODUCT_DIR} has no ${required}")
  endif()
endforeach()
set(optional mowik.exe mowik-sapi.dll)
foreach(name ${optional})
  if(EXISTS ${PRODUCT_DIR}/${name})
    list(APPEND files ${name})
  endif()
endforeach()

# The stamp: names and contents of the folder, the script, the version and the options.
set(stamp_text "${VERSION} ${SETUP_NAME} ${FAST} ${ZIP} ${ICON} ${STRIP}")
foreach(input ${NSI} ${CMAKE_CURRENT_LIST_FILE} ${ICON})
  file(MD5 ${input} hash)
  string(APPEND stamp_text " ${input}=${hash}")
endforeach()
foreach(name ${files})
  file(MD5 ${PRODUCT_DIR}/${name} hash)
  string(APPEND stamp_text " ${name}=${hash}")
endforeach()
set(stamp ${WORK_DIR}/${SETUP_NAME}.stamp)
if(EXISTS ${stamp} AND EXISTS ${setup} AND (NOT ZIP OR EXISTS ${zip}))
  file(READ ${stamp} previous)
  if(previous STREQUAL stamp_text)
    return()
  endif()
endif()
file(REMOVE ${stamp})

# What is packaged: the folder's files as they are, or stripped copies of them.
set(source_dir ${PRODUCT_DIR})
if(STRIP)
  set(source_dir ${WORK_DIR}/stage)
  file(REMOVE_RECURSE ${source_dir})
  file(MAKE_DIRECTORY ${source_dir})
  foreach(name ${files})
    if(name MATCHES "\\.(exe|dll)$")
      execute_process(COMMAND ${STRIP} --strip-debug -o ${source_dir}/${name} ${PRODUCT_DIR}/${name}
                      RESULT_VARIABLE result)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "${STRIP} failed on ${name}")
      endif()
    else()
      file(COPY ${PRODUCT_DIR}/${name} DESTINATION ${source_dir})
    endif()
  endforeach()
endif()

# One line per file for the installer; the uninstaller removes every product file, also one
# that an older version installed and this one no longer ships.
set(install_lines "")
set(uninstall_lines "")
foreach(name ${files})
  string(APPEND install_lines "  File \"${source_dir}/${name}\"\n")
endforeach()
set(removed ${files} ${optional})
list(REMOVE_DUPLICATES removed)
foreach(name ${removed})
  string(APPEND uninstall_lines "  Delete \"$INSTDIR\\${name}\"\n")
endforeach()
set(files_nsh ${WORK_DIR}/${SETUP_NAME}.files.nsh)
file(MAKE_DIRECTORY ${WORK_DIR} ${OUT_DIR})
file(WRITE ${files_nsh}
  "; Written by installer/package.cmake from ${source_dir}\n"
  "!macro InstallFiles\n${install_lines}!macroend\n"
  "!macro UninstallFiles\n${uninstall_lines}!macroend\n")

set(defines -DVERSION=${VERSION} -DPRODUCT_DIR=${source_dir} -DFILES_NSH=${files_nsh} -DOUTFILE=${setup})
if(ICON)
  list(APPEND defines -DICON=${ICON})
endif()
if(FAST)
  list(APPEND defines -DFAST)
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${defines} ${NSI}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "makensis failed:\n${output}")
endif()
message(STATUS "Setup program: ${setup}")

if(ZIP)
  # The zip holds one folder, mowik-<version>-win64, that runs where it is unzipped.
  set(staging ${WORK_DIR}/zip)
  file(REMOVE_RECURSE ${staging})
  file(MAKE_DIRECTORY ${staging}/${zip_name})
  foreach(name ${files})
    file(COPY ${source_dir}/${name} DESTINATION ${staging}/${zip_name})
  endforeach()
  file(REMOVE ${zip})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${zip_name}
                  WORKING_DIRECTORY ${staging} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the zip ${zip} could not be written")
  endif()
  file(REMOVE_RECURSE ${staging})
  message(STATUS "Portable zip: ${zip}")
endif()
file(WRITE ${stamp} "${stamp_text}")
