// Measures what the noun lexicon knows of real text: in the fortunes-pl texts, the share of
// word tokens, and of the words right after a number, that the hand table knows and that
// the built-in lexicon generated from hunspell-pl knows; how the hand table's genders agree
// with the generated ones; the built-in lexicon's size and decoding time; and the share of those nouns' forms that wpolish lists (a
// check that the expansion makes real words). Figures only: the exit status is 0 unless a
// file cannot be read.
//   measure-lexicon [--dic FILE] [--aff FILE] [--words FILE] [TEXT...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "mowik/verbalise/natural/char_classes.h"
#include "mowik/verbalise/natural/compact_lexicon.h"
#include "mowik/verbalise/natural/generator/hunspell_source.h"
#include "mowik/verbalise/natural/generator/noun_paradigm.h"
#include "mowik/verbalise/natural/noun_lexicon.h"
#include "mowik/verbalise/polish_case.h"
#include "tools/utf8_text.h"

namespace {


struct Share {
  long all = 0, hand = 0, generated = 0, either = 0;
  void Count(bool inHand, bool inGenerated) {
    ++all;
    hand += inHand;
    generated += inGenerated;
    either += inHand || inGenerated;
  }
  void Print(const char* what) const {
    const auto pct = [&](long n) { return all == 0 ? 0.0 : 100.0 * n / all; };
    std::printf("%-28s %8ld  hand table %5.1f%%  generated lexicon %5.1f%%  either %5.1f%%\n", what, all, pct(hand),
                pct(generated), pct(either));
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace mowik;
  std::string dic = "/usr/share/hunspell/pl_PL.dic", aff = "/usr/share/hunspell/pl_PL.aff", words = "/usr/share/dict/polish";
  std::vector<std::string> texts;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dic" && i + 1 < argc) dic = argv[++i];
    else if (a == "--aff" && i + 1 < argc) aff = argv[++i];
    else if (a == "--words" && i + 1 < argc) words = argv[++i];
    else texts.push_back(a);
  }
  if (texts.empty()) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/games/fortunes/pl", ec))
      if (entry.is_regular_file() && !entry.path().has_extension()) texts.push_back(entry.path().string());
    std::sort(texts.begin(), texts.end());
  }

  std::string affBytes, dicBytes, error;
  lexicon::HunspellSource source;
  if (!mowik::lexicon::ReadFileBytes(aff, affBytes) || !mowik::lexicon::ReadFileBytes(dic, dicBytes)) {
    std::fprintf(stderr, "measure-lexicon: cannot read %s or %s\n", aff.c_str(), dic.c_str());
    return 1;
  }
  if (!lexicon::ReadAffixes(affBytes, source, error) || !lexicon::ReadWords(dicBytes, source, error)) {
    std::fprintf(stderr, "measure-lexicon: %s\n", error.c_str());
    return 1;
  }
  const std::vector<lexicon::NounParadigm> nouns = lexicon::NounParadigms(source);
  std::unordered_set<std::wstring> nounForms;
  for (const lexicon::NounParadigm& noun : nouns)
    for (const lexicon::NounForm& f : noun.forms) nounForms.insert(f.form);
  std::printf("hunspell-pl: %zu words, %zu nouns, %zu noun forms\n", source.words.size(), nouns.size(), nounForms.size());

  // The hand table against the rule that reads gender from hunspell-pl's paradigms.
  long shared = 0, sameGender = 0;
  std::string differ;
  for (const lexicon::NounParadigm& noun : nouns)
    if (const Noun* hand = NounByLemma(noun.lemma)) {
      ++shared;
      // The rule does not tell animate from inanimate: both count as the same.
      const auto kind = [](Gender g) { return g == Gender::MascAnimate ? Gender::MascInanimate : g; };
      if (kind(hand->gender) == kind(noun.gender)) ++sameGender;
      else differ += " " + EncodeUtf8(noun.lemma);
    }
  std::printf("lemmas in both the hand table and hunspell-pl: %ld, same gender %ld; the hand table wins for:%s\n",
              shared, sameGender, differ.c_str());

  const auto start = std::chrono::steady_clock::now();
  const CompactLexicon& builtIn = BuiltInNounLexicon();
  const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("built-in lexicon: %zu lemmas, %zu paradigms, decoded in %.1f ms into about %.1f MB\n",
              builtIn.LemmaCount(), builtIn.ParadigmCount(), loadSeconds * 1e3, builtIn.MemoryBytes() / 1e6);

  Share tokens, afterNumber;
  for (const std::string& path : texts) {
    std::string bytes;
    if (!mowik::lexicon::ReadFileBytes(path, bytes)) {
      std::fprintf(stderr, "measure-lexicon: cannot read %s\n", path.c_str());
      return 1;
    }
    const std::optional<std::wstring> text = DecodeUtf8(bytes);
    if (!text) continue;  // not UTF-8: not the Polish texts
    bool number = false;  // the last token was digits, with only blanks since
    for (size_t p = 0; p < text->size();) {
      const wchar_t c = (*text)[p];
      if (IsLetterChar(c)) {
        size_t end = p;
        while (end < text->size() && IsLetterChar((*text)[end])) ++end;
        const std::wstring word = LowerText(text->substr(p, end - p));
        const std::vector<NounReading> readings = NounReadings(word);
        const bool inHand = !readings.empty() && readings.front().noun;
        const bool inGenerated = !builtIn.Analyse(word).empty();
        tokens.Count(inHand, inGenerated);
        if (number) afterNumber.Count(inHand, inGenerated);
        number = false;
        p = end;
      } else if (c >= L'0' && c <= L'9') {
        while (p < text->size() && (*text)[p] >= L'0' && (*text)[p] <= L'9') ++p;
        number = true;
      } else {
        if (c != L' ' && c != L'\xa0') number = false;
        ++p;
      }
    }
  }
  std::printf("fortunes-pl, %zu files:\n", texts.size());
  tokens.Print("  word tokens");
  afterNumber.Print("  words after a number");

  std::ifstream list(words);
  if (list) {
    std::unordered_set<std::wstring> listed;
    std::string line;
    long found = 0;
    while (std::getline(list, line)) {
      const std::optional<std::wstring> w = DecodeUtf8(line);
      if (w && nounForms.contains(*w) && listed.insert(*w).second) ++found;
    }
    std::printf("wpolish lists %ld of the %zu noun forms (%.1f%%)\n", found, nounForms.size(),
                nounForms.empty() ? 0.0 : 100.0 * found / nounForms.size());
  }
  return 0;
}
