# Helpers of the scripts that have sox read the sound files a test program wrote.

# Empties DIR and runs PROGRAM (through EMULATOR, in the Windows build) with DIR as its argument.
function(write_files_into_dir)
  file(REMOVE_RECURSE ${DIR})
  file(MAKE_DIRECTORY ${DIR})
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${DIR} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    get_filename_component(name ${PROGRAM} NAME_WE)
    message(FATAL_ERROR "${name} failed: ${result}")
  endif()
endfunction()

function(expect_soxi file option expected)
  # With soxi's warnings, which a well-formed file does not get.
  execute_process(COMMAND soxi ${option} ${DIR}/${file} OUTPUT_VARIABLE answer ERROR_VARIABLE answer
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT answer STREQUAL expected)
    message(SEND_ERROR "soxi ${option} ${file}: '${answer}', expected '${expected}'")
  endif()
endfunction()

# sox with its arguments, in DIR, dithering off so that samples come through unchanged.
function(sox)
  execute_process(COMMAND sox -D ${ARGN} RESULT_VARIABLE result WORKING_DIRECTORY ${DIR})
  if(NOT result EQUAL 0)
    message(SEND_ERROR "sox ${ARGN} failed")
  endif()
endfunction()
