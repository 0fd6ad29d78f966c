# Writes corpus_files.h: every *.tsv of the corpus folder as a wide string, so that the tests
# read the same corpus natively and under Wine without a path to the source tree.
# In: CORPUS_DIR, OUTPUT.
file(GLOB files RELATIVE ${CORPUS_DIR} ${CORPUS_DIR}/*.tsv)
list(SORT files)
set(body "#pragma once\n// Generated from mowik/verbalise/corpus/*.tsv by embed_corpus.cmake.\n#include <string_view>\n\nnamespace mowik {\n\nstruct CorpusFile {\n  std::wstring_view name, text;\n};\n\ninline constexpr CorpusFile kCorpusFiles[] = {\n")
foreach(f IN LISTS files)
  file(READ ${CORPUS_DIR}/${f} text)
  get_filename_component(name ${f} NAME_WE)
  string(APPEND body "    {L\"${name}\", LR\"mowikcorpus(${text})mowikcorpus\"},\n")
endforeach()
string(APPEND body "};\n\n}  // namespace mowik\n")
file(WRITE ${OUTPUT}.new "${body}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
