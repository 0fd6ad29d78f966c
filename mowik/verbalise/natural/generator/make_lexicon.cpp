// Writes the noun lexicon built into mowik_verbalise: the nouns of hunspell-pl with their
// gender and the cases of their forms, as C++ source (lexicon_bytes.h). The same dictionary
// gives the same bytes; the file is rewritten only when they change.
//   mowik-make-lexicon --dic pl_PL.dic --aff pl_PL.aff -o noun_lexicon_data.inc
//   mowik-make-lexicon --empty -o noun_lexicon_data.inc   (no dictionary: the hand table alone)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mowik/verbalise/natural/generator/hunspell_source.h"
#include "mowik/verbalise/natural/generator/lexicon_bytes.h"
#include "mowik/verbalise/natural/generator/noun_paradigm.h"

namespace {


bool WriteIfDifferent(const std::string& path, const std::string& text) {
  std::string old;
  if (mowik::lexicon::ReadFileBytes(path, old) && old == text) return true;
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) return false;
  }
  std::filesystem::rename(temporary, path, ec);
  return !ec;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "mowik-make-lexicon: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace mowik::lexicon;
  std::string dic, aff, output;
  bool empty = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dic" && i + 1 < argc) dic = argv[++i];
    else if (a == "--aff" && i + 1 < argc) aff = argv[++i];
    else if (a == "-o" && i + 1 < argc) output = argv[++i];
    else if (a == "--empty") empty = true;
    else return Fail("unknown argument " + a + "\nusage: mowik-make-lexicon (--dic FILE --aff FILE | --empty) -o FILE");
  }
  if (output.empty() || (!empty && (dic.empty() || aff.empty())))
    return Fail("usage: mowik-make-lexicon (--dic FILE --aff FILE | --empty) -o FILE");
  if (empty) return WriteIfDifferent(output, AsSource("")) ? 0 : Fail("cannot write " + output);

  std::string affBytes, dicBytes, error;
  if (!mowik::lexicon::ReadFileBytes(aff, affBytes)) return Fail("cannot read " + aff);
  if (!mowik::lexicon::ReadFileBytes(dic, dicBytes)) return Fail("cannot read " + dic);
  HunspellSource source;
  if (!ReadAffixes(affBytes, source, error)) return Fail(aff + ": " + error);
  if (!ReadWords(dicBytes, source, error)) return Fail(dic + ": " + error);
  EncodedLexicon encoded;
  if (!EncodeLexicon(NounParadigms(source), encoded, error)) return Fail(error);
  if (!WriteIfDifferent(output, AsSource(encoded.bytes))) return Fail("cannot write " + output);
  std::printf("noun lexicon: %zu lemmas, %zu paradigms, %zu bytes\n", encoded.lemmas, encoded.paradigms,
              encoded.bytes.size());
  return 0;
}
