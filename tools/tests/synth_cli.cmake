# varelo-synth as a user runs it: Mowik's phoneme text in, a WAV file of the right length out.
# Relative file names only, so that Windows programs under Wine see the same files.
file(MAKE_DIRECTORY ${WORK})
function(run)
  execute_process(COMMAND ${EMULATOR} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_VARIABLE out)
  set(status ${status} PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()
function(expect_wav file samples)
  file(SIZE ${WORK}/${file} size)
  math(EXPR want "44 + 2 * ${samples}")
  if(NOT size EQUAL want)
    message(FATAL_ERROR "${file}: ${size} bytes, expected ${want}")
  endif()
endfunction()

run(${SAY} --phonemes "ala ma kota.")
execute_process(COMMAND ${EMULATOR} ${SAY} --phonemes "ala ma kota." OUTPUT_FILE ${WORK}/ala.pho
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mowik-say failed")
endif()

# From standard input; the last line (the closing pause, no line end) is spoken too: 910 ms.
execute_process(COMMAND ${EMULATOR} ${SYNTH} -o ala.wav INPUT_FILE ${WORK}/ala.pho
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "varelo-synth failed: ${err}")
endif()
expect_wav(ala.wav 14560)

# From a file, at another rate and twice as slow.
run(${SYNTH} -f 22050 --time 2 --pitch 1.2 --volume 0.5 -o slow.wav ala.pho)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "varelo-synth -f 22050 failed: ${err}")
endif()
expect_wav(slow.wav 40131)

# A bad line is an error that names it; with --no-error it is silence of its duration.
file(WRITE ${WORK}/bad.pho "a 70 0 120\nXX 70 0 120\n")
run(${SYNTH} -o bad.wav bad.pho)
if(NOT status EQUAL 1 OR NOT err MATCHES "line 2 \"XX 70 0 120\": unknown phoneme")
  message(FATAL_ERROR "a bad line gave status ${status} and: ${err}")
endif()
run(${SYNTH} --no-error -o bad.wav bad.pho)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "--no-error failed: ${err}")
endif()
expect_wav(bad.wav 2240)

run(${SYNTH} -d no-such-voice -o x.wav ala.pho)
if(NOT status EQUAL 1 OR NOT err MATCHES "does not exist")
  message(FATAL_ERROR "a missing database gave status ${status} and: ${err}")
endif()
run(${SYNTH} --pitch 0 ala.pho)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "a zero pitch ratio gave status ${status}")
endif()
