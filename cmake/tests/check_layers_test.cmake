# The layer check on a tree of faults: it must fail, name each upward include (and the
# thread_local), and pass what is allowed (a layer below, a file beside, testing/ from a test,
# a comment naming thread_local).
#   cmake -DCHECK=<check_layers.cmake> -DTREE=<layer_faults> -P check_layers_test.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${TREE} -P ${CHECK} RESULT_VARIABLE failed ERROR_VARIABLE report)
if(NOT failed)
  message(FATAL_ERROR "the check passed a tree with upward includes")
endif()
foreach(fault
    "mowik/verbalise/upward.cpp includes mowik/shell/hot_keys.h"
    "mowik/shell/portable.cpp includes mowik/shell/windows/settings_window.h"
    "sapi/player.cpp includes vrlplay/vrlplay.h"
    "mowik/frontend/scratch.cpp declares a thread_local")
  string(FIND "${report}" "${fault}" at)
  if(at LESS 0)
    message(FATAL_ERROR "not named: ${fault}\n${report}")
  endif()
endforeach()
foreach(allowed "allowed" "named.cpp" "table_model.h" "portable.cpp includes mowik/shell/hot_keys.h" "varelo/engine.h")
  string(FIND "${report}" "${allowed}" at)
  if(at GREATER_EQUAL 0)
    message(FATAL_ERROR "an allowed include was refused (${allowed}):\n${report}")
  endif()
endforeach()
