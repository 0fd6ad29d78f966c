# mowik-say where things go wrong: a write error part way through a WAV file (a file size
# limit stands in for a full disk), more standard input than it reads, and (natively) too
# little memory. Each must end with a message and exit status 1, and a cut file must have a
# header that states exactly what is on the disk.
#   cmake -DEMULATOR=... -DPROGRAM=... -DDIR=... [-DSANITIZED=ON] -P check_hostile_conditions.cmake
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
string(REPEAT "Ala ma kota, kot ma alę. " 40 text)

# Runs the program under sh with the limits given (ulimit arguments), standard input from
# input; sets status and err in the caller.
function(run_limited limits input)
  set(command "")
  foreach(word ${EMULATOR} ${PROGRAM} ${ARGN})
    string(APPEND command " '${word}'")
  endforeach()
  # An ignored SIGXFSZ makes a write past the size limit fail (EFBIG) instead of ending the
  # program, as a full disk would.
  execute_process(COMMAND sh -c "trap '' XFSZ; ulimit ${limits} && exec ${command}"
    INPUT_FILE ${input} OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE status)
  set(status "${status}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_failure what wanted)
  if(NOT status EQUAL 1)
    message(SEND_ERROR "${what}: exit status ${status}, expected 1; stderr:\n${err}")
  endif()
  string(FIND "${err}" "${wanted}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${what}: stderr lacks '${wanted}'; got:\n${err}")
  endif()
endfunction()

# A little-endian 32-bit field of a file.
function(read_u32 file offset out)
  file(READ ${file} hex OFFSET ${offset} LIMIT 4 HEX)
  string(SUBSTRING "${hex}" 0 2 b0)
  string(SUBSTRING "${hex}" 2 2 b1)
  string(SUBSTRING "${hex}" 4 2 b2)
  string(SUBSTRING "${hex}" 6 2 b3)
  math(EXPR value "0x${b3}${b2}${b1}${b0}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# 200 blocks of 512 bytes: the file may not grow beyond 102,400 bytes.
foreach(kind pcm alaw)
  set(file ${DIR}/cut_${kind}.wav)
  set(extra "")
  set(header 44)
  if(kind STREQUAL alaw)
    set(extra --alaw)
    set(header 58)
  endif()
  run_limited("-f 200" /dev/null -o ${file} ${extra} ${text})
  expect_failure("a write error in a ${kind} WAV" "Can't write")
  file(SIZE ${file} size)
  math(EXPR data_offset "${header} - 4")
  read_u32(${file} 4 riff)
  read_u32(${file} ${data_offset} data)
  math(EXPR on_disk "${size} - ${header}")
  math(EXPR riff_expected "${size} - 8")
  if(NOT data EQUAL on_disk OR NOT riff EQUAL riff_expected OR data LESS 50000)
    message(SEND_ERROR "cut_${kind}.wav: ${size} bytes, of which ${on_disk} after the header; "
      "the header says data ${data} and RIFF ${riff} (expected ${on_disk} and ${riff_expected})")
  endif()
endforeach()

# More standard input than mowik-say reads: a message, not a read until the memory runs out.
string(REPEAT "Ala ma kota. " 1000 kilo)
string(REPEAT "${kilo}" 1400 long_text)  # 18.2 MB
file(WRITE ${DIR}/long.txt "${long_text}")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --phonemes INPUT_FILE ${DIR}/long.txt
  OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE status)
expect_failure("18 MB of standard input" "more than 16 MiB")

# Too little memory for a text within the limit: a message and status 1, not an abort.
# (Natively only, and not under AddressSanitizer, which reserves terabytes of address space.)
if(NOT EMULATOR AND NOT SANITIZED)
  string(REPEAT "${kilo}" 1000 big_text)  # 13 MB
  file(WRITE ${DIR}/big.txt "${big_text}")
  run_limited("-v 60000" ${DIR}/big.txt --normalise)
  expect_failure("13 MB of text in 60 MB of address space" "out of memory")
endif()
file(REMOVE ${DIR}/long.txt ${DIR}/big.txt)
