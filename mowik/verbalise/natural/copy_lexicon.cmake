# Copies the native build's noun lexicon into another build, with a clear word when it is
# not there.
if(NOT EXISTS "${FROM}")
  message(FATAL_ERROR "The noun lexicon ${FROM} does not exist: build the native preset first "
                      "(bash scripts/mowik-dev.sh setup does both in order).")
endif()
file(COPY_FILE "${FROM}" "${TO}" ONLY_IF_DIFFERENT)
