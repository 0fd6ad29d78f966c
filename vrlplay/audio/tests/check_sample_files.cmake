# Runs write_sample_files (through Wine in the Windows build) and has sox read every file.
#   cmake -DEMULATOR=... -DPROGRAM=... -DDIR=... -P check_sample_files.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../../testing/sox_checks.cmake)
write_files_into_dir()

function(expect_same_bytes produced expected what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DIR}/${produced} ${DIR}/${expected}
    RESULT_VARIABLE different)
  if(different)
    message(SEND_ERROR "${what}: ${produced} differs from ${expected}")
  endif()
endfunction()

# 16002 engine samples at 16 kHz, or 8001 at 8 kHz for A-law and mu-law: the same duration.
foreach(file pcm.wav linear.au)
  expect_soxi(${file} -r 16000)
  expect_soxi(${file} -c 1)
  expect_soxi(${file} -e "Signed Integer PCM")
  expect_soxi(${file} -b 16)
  expect_soxi(${file} -s 16002)
  expect_soxi(${file} -D 1.000125)
endforeach()
expect_soxi(alaw.wav -e A-law)
expect_soxi(mulaw.wav -e u-law)
foreach(file alaw.wav mulaw.wav)
  expect_soxi(${file} -r 8000)
  expect_soxi(${file} -c 1)
  expect_soxi(${file} -s 8001)
  expect_soxi(${file} -D 1.000125)
endforeach()

# The samples themselves.
expect_same_bytes(samples.raw input.raw "raw file")
sox(pcm.wav -t raw -e signed -b 16 -L pcm.s16)
expect_same_bytes(pcm.s16 input.raw "WAV samples")
sox(linear.au -t raw -e signed -b 16 -L au.s16)
expect_same_bytes(au.s16 input.raw ".au samples")

# The G.711 bytes agree with sox's own encoders on the same filtered samples.
sox(alaw.wav -t raw -e a-law -b 8 alaw.bytes)
sox(-t raw -r 8000 -e signed -b 16 -c 1 -L alaw.filtered.raw -t raw -e a-law -b 8 alaw.sox)
expect_same_bytes(alaw.bytes alaw.sox "A-law bytes")
sox(mulaw.wav -t raw -e u-law -b 8 mulaw.bytes)
sox(-t raw -r 8000 -e signed -b 16 -c 1 -L mulaw.filtered.raw -t raw -e u-law -b 8 mulaw.sox)
expect_same_bytes(mulaw.bytes mulaw.sox "mu-law bytes")
