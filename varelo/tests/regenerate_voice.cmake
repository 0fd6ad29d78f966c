# Generates the voice once more and compares it byte for byte with the built one.
execute_process(COMMAND ${GENERATOR} --espeak-data ${DATA} --work ${WORK}/espeak-data -o ${WORK}/pl1
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/pl1 ${VOICE} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "a second generation of the voice differs from ${VOICE}")
endif()
