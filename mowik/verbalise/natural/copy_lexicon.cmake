# Copies the native build's noun lexicon into another build, with a clear word when it is
# not there.
if(NOT EXISTS "${FROM}")
  message(FATAL_ERROR "The noun lexicon ${FROM} does not exist: build the native preset first "
                      "(bash scripts/mowik-dev.sh setup does both in order).")
endif()
get_filename_component(folder "${TO}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")  # a fresh build has not made it yet
file(COPY_FILE "${FROM}" "${TO}" ONLY_IF_DIFFERENT)
