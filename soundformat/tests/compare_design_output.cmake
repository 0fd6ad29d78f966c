# Fails when the tap table in the source is not what the design program prints.
execute_process(COMMAND ${DESIGN} OUTPUT_VARIABLE designed RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${DESIGN} failed: ${result}")
endif()
file(READ ${TABLE} table)
if(NOT designed STREQUAL table)
  message(FATAL_ERROR "${TABLE} differs from the output of ${DESIGN}; rebuild the table")
endif()
