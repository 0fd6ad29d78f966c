// The generator on a small hand-written dictionary: which words are nouns, their gender, the
// cases of their forms, the bytes they make, and dictionaries it must refuse.
#include <gtest/gtest.h>

#include <algorithm>

#include "mowik/verbalise/natural/compact_lexicon.h"
#include "mowik/verbalise/natural/generator/hunspell_source.h"
#include "mowik/verbalise/natural/generator/lexicon_bytes.h"
#include "mowik/verbalise/natural/generator/noun_paradigm.h"

namespace mowik::lexicon {
namespace {

// Flags as hunspell-pl splits them: N the plural's dative, instrumental and locative; M the
// feminine singular; O the masculine singular; T the genitive plural -ów; P the personal
// plural; F the soft feminine; A adjective endings.
constexpr std::string_view kAff = R"(SET UTF-8
TRY aioe

SFX N Y 6
SFX N   0   om    [^a]
SFX N   0   ami   [^a]
SFX N   0   ach   [^a]
SFX N   a   om    a
SFX N   a   ami   a
SFX N   a   ach   a

SFX M Y 4
SFX M   a   y     ta
SFX M   a   ą     a
SFX M   a   ę     a
SFX M   a   0     a

SFX O Y 4
SFX O   0   u     m
SFX O   0   a     t
SFX O   0   em    [^a]
SFX O   0   owi   [^a]

SFX T Y 1
SFX T   0   ów    [^a]

SFX P Y 1
SFX P   t   ci    t

SFX F Y 3
SFX F   0   y     c
SFX F   0   ą     c
SFX F   0   e     c

SFX A Y 3
SFX A   y   ych   y
SFX A   y   ymi   y
SFX A   y   ego   y
)";

constexpr std::string_view kDic = "7\ndom/NOT\nkobieta/NM\nstudent/NOTP\nnoc/NF\nczerwony/A\ndomie\nWarszawa/NM\n";

HunspellSource Fixture() {
  HunspellSource source;
  std::string error;
  EXPECT_TRUE(ReadAffixes(kAff, source, error)) << error;
  EXPECT_TRUE(ReadWords(kDic, source, error)) << error;
  return source;
}

const NounParadigm* Find(const std::vector<NounParadigm>& nouns, std::wstring_view lemma) {
  const auto found = std::find_if(nouns.begin(), nouns.end(), [&](const NounParadigm& n) { return n.lemma == lemma; });
  return found == nouns.end() ? nullptr : &*found;
}

CaseSet CasesOf(const NounParadigm& noun, std::wstring_view form) {
  for (const NounForm& f : noun.forms)
    if (f.form == form) return f.cases;
  return 0;
}

TEST(LexiconGeneratorTest, ExpandsTheFlagsWhoseConditionsHold) {
  const HunspellSource source = Fixture();
  ASSERT_EQ(source.words.size(), 7u);
  const std::vector<std::wstring> forms = Forms(source, source.words[1]);  // kobieta
  for (const wchar_t* form : {L"kobieta", L"kobietom", L"kobietami", L"kobietach", L"kobiety", L"kobietą", L"kobietę", L"kobiet"})
    EXPECT_NE(std::find(forms.begin(), forms.end(), form), forms.end()) << form;
  EXPECT_EQ(std::find(forms.begin(), forms.end(), L"kobietaom"), forms.end()) << "[^a] holds only before a consonant";
  const std::vector<std::wstring> dom = Forms(source, source.words[0]);
  EXPECT_NE(std::find(dom.begin(), dom.end(), L"domu"), dom.end());
  EXPECT_EQ(std::find(dom.begin(), dom.end(), L"doma"), dom.end()) << "O adds -a only after t";
}

TEST(LexiconGeneratorTest, FindsTheNounsTheirGenderAndTheCasesOfTheirForms) {
  const std::vector<NounParadigm> nouns = NounParadigms(Fixture());
  ASSERT_EQ(nouns.size(), 4u) << "not the adjective, not the name with a capital";
  const NounParadigm* dom = Find(nouns, L"dom");
  const NounParadigm* kobieta = Find(nouns, L"kobieta");
  const NounParadigm* student = Find(nouns, L"student");
  const NounParadigm* noc = Find(nouns, L"noc");
  ASSERT_TRUE(dom && kobieta && student && noc);
  EXPECT_EQ(dom->gender, Gender::MascInanimate);
  EXPECT_EQ(kobieta->gender, Gender::Feminine);
  EXPECT_EQ(student->gender, Gender::MascPersonal) << "studenci";
  EXPECT_EQ(noc->gender, Gender::Feminine) << "nocą, and no -em";

  EXPECT_EQ(CasesOf(*dom, L"dom"), Singular(Case::Nom) | Singular(Case::Acc));
  EXPECT_EQ(CasesOf(*dom, L"domami"), Plural(Case::Ins));
  EXPECT_EQ(CasesOf(*dom, L"domowi"), Singular(Case::Dat));
  EXPECT_TRUE(CasesOf(*dom, L"domie") & Singular(Case::Loc)) << "a word without flags joins its lemma";
  EXPECT_EQ(CasesOf(*kobieta, L"kobieta"), Singular(Case::Nom));
  EXPECT_EQ(CasesOf(*kobieta, L"kobiet"), Plural(Case::Gen));
  EXPECT_EQ(CasesOf(*kobieta, L"kobietę"), Singular(Case::Acc));
  EXPECT_TRUE(CasesOf(*kobieta, L"kobiety") & Plural(Case::Nom));
  EXPECT_TRUE(CasesOf(*kobieta, L"kobiety") & Singular(Case::Gen));
  EXPECT_EQ(CasesOf(*student, L"student"), Singular(Case::Nom)) << "a person's accusative is his genitive";
  EXPECT_EQ(CasesOf(*student, L"studentów"), Plural(Case::Gen));
  EXPECT_EQ(CasesOf(*noc, L"noc"), Singular(Case::Nom) | Singular(Case::Acc));
}

TEST(LexiconGeneratorTest, TheBytesReadBackAndDoNotDependOnTheOrder) {
  std::vector<NounParadigm> nouns = NounParadigms(Fixture());
  EncodedLexicon first, second;
  std::string error;
  ASSERT_TRUE(EncodeLexicon(nouns, first, error)) << error;
  std::reverse(nouns.begin(), nouns.end());
  for (NounParadigm& noun : nouns) std::reverse(noun.forms.begin(), noun.forms.end());
  ASSERT_TRUE(EncodeLexicon(nouns, second, error)) << error;
  EXPECT_EQ(first.bytes, second.bytes);
  EXPECT_EQ(AsSource(first.bytes), AsSource(second.bytes));
  EXPECT_EQ(first.lemmas, 4u);

  const std::optional<CompactLexicon> lexicon = CompactLexicon::Decode(first.bytes);
  ASSERT_TRUE(lexicon);
  const std::vector<CompactLexicon::Analysis> kobieta = lexicon->Analyse(L"kobietą");
  ASSERT_EQ(kobieta.size(), 1u);
  EXPECT_EQ(kobieta[0].lemma, L"kobieta");
  EXPECT_EQ(kobieta[0].gender, Gender::Feminine);
  EXPECT_EQ(kobieta[0].cases, Singular(Case::Ins));
  const std::vector<CompactLexicon::Analysis> studenci = lexicon->Analyse(L"studenci");
  ASSERT_EQ(studenci.size(), 1u);
  EXPECT_EQ(studenci[0].lemma, L"student");
  EXPECT_TRUE(lexicon->Analyse(L"czerwonych").empty());
  EXPECT_TRUE(lexicon->Analyse(L"domx").empty());
  EXPECT_TRUE(lexicon->Analyse(L"").empty());
}

TEST(LexiconGeneratorTest, RefusesWhatItCannotReadWithTheLine) {
  std::string error;
  HunspellSource source;
  EXPECT_FALSE(ReadAffixes("SET KOI8-R\n", source, error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(ReadAffixes("SET UTF-8\nFLAG long\n", source, error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
  EXPECT_FALSE(ReadAffixes("SFX A Y 1\nSFX A 0 y [ab\n", source, error));
  EXPECT_FALSE(ReadAffixes("SFX A\n", source, error));
  EXPECT_FALSE(ReadWords("dom/N\n", source, error)) << "no count first";
  EXPECT_FALSE(ReadWords("2\n/N\n", source, error)) << "an empty word";
  // Invalid UTF-8 is decoded, not trusted: it cannot make a rule apply.
  HunspellSource damaged;
  EXPECT_TRUE(ReadAffixes("SET UTF-8\nSFX N Y 1\nSFX N 0 \xff\xfe [\xc3]\n", damaged, error));
  EXPECT_TRUE(ReadWords("1\nd\xc3om/NQ\n", damaged, error));
  EXPECT_EQ(Forms(damaged, damaged.words[0]).size(), 1u);
}

TEST(LexiconGeneratorTest, DamagedBytesDoNotDecode) {
  EncodedLexicon encoded;
  std::string error;
  ASSERT_TRUE(EncodeLexicon(NounParadigms(Fixture()), encoded, error));
  for (size_t n = 0; n < encoded.bytes.size(); ++n)
    EXPECT_FALSE(CompactLexicon::Decode(std::string_view(encoded.bytes).substr(0, n))) << "cut at " << n;
  EXPECT_FALSE(CompactLexicon::Decode(encoded.bytes + "x")) << "bytes left over";
  // Any one byte changed: it decodes or it does not, and what decodes can be asked.
  for (size_t at = 0; at < encoded.bytes.size(); ++at) {
    std::string bytes = encoded.bytes;
    bytes[at] = static_cast<char>(bytes[at] ^ 0xa5);
    if (const std::optional<CompactLexicon> lexicon = CompactLexicon::Decode(bytes)) lexicon->Analyse(L"kobietami");
  }
}

}  // namespace
}  // namespace mowik::lexicon
