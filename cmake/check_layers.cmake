# Fails when a source file includes a header of a folder its folder may not use: the arrows of
# ARCHITECTURE.md as a table. Every library exports the whole tree as its include path, so the
# compiler alone would let any file include any header; this check is what holds the layers.
#   cmake -DROOT=<source tree> [-DSTAMP=<file to touch on success>] -P check_layers.cmake
#
# A file belongs to the longest folder of the table its path starts with (a header named in
# the table is a folder of its own: the one statement of a library's calls). It may include its
# own folder's files and those of the folders listed after its own. Files under a tests/
# folder may also include testing/ and what their line in kTestsAlsoUse adds. Benchmarks
# measure whatever they measure and are not checked. System headers (<...>) are not checked.

cmake_policy(SET CMP0009 NEW)  # the globs do not follow links (a test folder holds a loop)

set(mowik_layers
  "mowik/program:"
  "mowik/verbalise:mowik/program"
  "mowik/frontend:mowik/verbalise mowik/program"
  "mowik/platform:mowik/verbalise mowik/program win32"
  "mowik/settings:mowik/platform mowik/program"
  "mowik/output:mowik/frontend mowik/verbalise mowik/program vrlplay/vrlplay.h win32"
  "mowik/shell:mowik/output mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program"
  "mowik/shell/windows:mowik/shell mowik/output mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program win32"
  "sapi:mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program varelo"
  "sapi/windows:sapi mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program varelo win32"
  "tools:mowik/output mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program varelo soundformat vrlplay/vrlplay.h win32"
  "speechd:sapi tools mowik/settings mowik/platform mowik/frontend mowik/verbalise mowik/program varelo"
  "vrlplay:vrlplay/vrlplay.h vovedodudo/vovedodudo.h varelo/varelo.h soundformat win32"
  "vrlplay/vrlplay.h:"
  "vovedodudo:vovedodudo/vovedodudo.h soundformat win32"
  "vovedodudo/vovedodudo.h:"
  "varelo:varelo/varelo.h win32"
  "varelo/varelo.h:"
  "vrlcpl:vrlplay/vrlplay.h win32"
  "win32:"
  "soundformat:"
  "testing:mowik/platform mowik/program varelo vrlplay/vrlplay.h win32"
  "installer:mowik/shell vrlplay/vrlplay.h"
  "product:vrlplay/vrlplay.h"
)
# Tests that exercise more than their folder: the SAPI voice's test reads one settings file
# as the reader and mowik-say read it; the player's and the tools' tests drive the libraries
# their folder loads.
set(mowik_tests_also_use
  "sapi:mowik/shell tools"
  "vrlplay:vovedodudo varelo"
)

# Each "folder:a b c" line of a table into <prefix><folder> = a;b;c; the folders into out.
function(read_table prefix out)
  set(names "")
  foreach(line ${ARGN})
    string(FIND "${line}" ":" colon)
    string(SUBSTRING "${line}" 0 ${colon} folder)
    math(EXPR rest "${colon} + 1")
    string(SUBSTRING "${line}" ${rest} -1 uses)
    string(REPLACE " " ";" uses "${uses}")
    list(APPEND names ${folder})
    set("${prefix}${folder}" ${uses} PARENT_SCOPE)
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
read_table(uses_ folders ${mowik_layers})
read_table(tests_ unused ${mowik_tests_also_use})

# The folder of the table a path belongs to (the longest that fits), or "" for none.
function(folder_of path out)
  set(best "")
  string(LENGTH "${best}" best_length)
  foreach(folder ${folders})
    string(LENGTH "${folder}" length)
    if(path STREQUAL folder)
      set(best ${folder})
      break()
    endif()
    string(FIND "${path}" "${folder}/" at)
    if(at EQUAL 0 AND length GREATER best_length)
      set(best ${folder})
      set(best_length ${length})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# The tree's own folders only: the build folders beside them hold thousands of files.
set(sources "")
foreach(top mowik sapi tools speechd vrlplay vovedodudo varelo vrlcpl win32 soundformat testing installer product)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*.h" "${ROOT}/${top}/*.cpp" "${ROOT}/${top}/*.c")
  list(APPEND sources ${found})
endforeach()
set(faults "")
foreach(source ${sources})
  if(source MATCHES "(^|/)bench/" OR source MATCHES "_bench\\.cpp$")
    continue()
  endif()
  folder_of("${source}" own)
  if(own STREQUAL "")
    continue()
  endif()
  set(allowed ${own} ${uses_${own}})
  if(source MATCHES "(^|/)tests/")
    list(APPEND allowed testing ${tests_${own}})
  endif()
  # One rule beside the layers: no thread_local. MinGW's emulated TLS frees a thread's storage
  # before the thread_local destructors run, so at thread exit they free memory twice (a SAPI
  # host's heap was corrupted so). Comment lines may name it.
  file(STRINGS "${ROOT}/${source}" locals REGEX "thread_local")
  foreach(line ${locals})
    if(NOT line MATCHES "^[ \t]*//")
      string(APPEND faults "\n  ${source} declares a thread_local (MinGW builds free it twice at thread exit)")
      break()
    endif()
  endforeach()
  file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(include ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${include}")
    folder_of("${header}" theirs)
    if(theirs STREQUAL "")
      continue()  # beside the file, or generated
    endif()
    list(FIND allowed "${theirs}" found)
    if(found LESS 0)
      string(APPEND faults "\n  ${source} includes ${header}: ${own}/ may not use ${theirs}")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "against the layers or the tree's rules (ARCHITECTURE.md, cmake/check_layers.cmake):${faults}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
