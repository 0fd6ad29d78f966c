#include "mowik/frontend/assimilate_voicing.h"

#include <gtest/gtest.h>

#include "mowik/frontend/tests/test_lists.h"
#include "mowik/frontend/transcribe_letters.h"

namespace mowik {
namespace {

using testing::Joined;
using testing::ListOf;

std::wstring BothPasses(ClsStackCollection list) {
  AssimilateVoicing(list);
  DevoiceAfterVoiceless(list);
  return Joined(list);
}

struct WordCase {
  const wchar_t* word;
  const wchar_t* transcribed;
  const wchar_t* assimilated;
};

constexpr WordCase kWords[] = {
    {L"wszystko", L"v S I s t k o", L"f S I s t k o"},
    {L"rozpacz", L"r o z p a tS", L"r o s p a tS"},
    {L"nadszedł", L"n a d S e d w", L"n a t S e d w"},
    {L"odsunąć", L"o d s u n o n' ts'", L"o t s u n o n' ts'"},
    {L"kwiat", L"k v j a t", L"k f j a t"},
    {L"twój", L"t v u j", L"t f u j"},
    {L"przy", L"p Z I", L"p S I"},
    {L"krzak", L"k Z a k", L"k S a k"},
    {L"wódka", L"v u d k a", L"v u d k a"},    // the d lies among the last four items
    {L"babka", L"b a b k a", L"b a b k a"},
    {L"świat", L"s' v j a t", L"s' v j a t"},  // s' is not voiceless
    {L"ćwiczy", L"ts' v i tS I", L"ts' v i tS I"},
    {L"róg.", L"r u g .", L"r u g ."},         // no word-final devoicing
};

TEST(AssimilateVoicing, WordTable) {
  for (const WordCase& c : kWords) {
    ClsStackCollection list;
    TranscribeLetters(c.word, list);
    EXPECT_EQ(Joined(list), c.transcribed) << c.word;
    EXPECT_EQ(BothPasses(list), c.assimilated) << c.word;
  }
}

TEST(AssimilateVoicing, AffricatesLookTwoAheadSingleLettersOne) {
  // dz' before a voiced item and then a voiceless one: devoiced; b in the same place: not.
  EXPECT_EQ(BothPasses(ListOf(L"dz' a t o o o")), L"ts' a t o o o");
  EXPECT_EQ(BothPasses(ListOf(L"b a t o o o")), L"b a t o o o");
  EXPECT_EQ(BothPasses(ListOf(L"dZ t o o o")), L"tS t o o o");
  EXPECT_EQ(BothPasses(ListOf(L"z' o k o o o")), L"s' o k o o o");
  EXPECT_EQ(BothPasses(ListOf(L"g z s o o o")), L"g s s o o o");  // one pass: g saw z unchanged
}

TEST(AssimilateVoicing, LastFourItemsAndShortListsAreLeftAlone) {
  EXPECT_EQ(BothPasses(ListOf(L"b t | |")), L"b t");
  EXPECT_EQ(BothPasses(ListOf(L"a b t | |")), L"a b t");      // b is item n - 3
  EXPECT_EQ(BothPasses(ListOf(L"a b t o | |")), L"a p t o");  // b is item n - 4
  ClsStackCollection empty;
  AssimilateVoicing(empty);
  DevoiceAfterVoiceless(empty);
  EXPECT_EQ(empty.Count(), 0);
}

TEST(DevoiceAfterVoiceless, ChainsAndNeverTouchesTheFirstItem) {
  EXPECT_EQ(BothPasses(ListOf(L"v")), L"v");
  EXPECT_EQ(BothPasses(ListOf(L"s v v Z")), L"s f f S");  // a devoiced v devoices the next
  EXPECT_EQ(BothPasses(ListOf(L"ts v")), L"ts v");
  EXPECT_EQ(BothPasses(ListOf(L"s | v")), L"s v");        // the blank blocks it
}

TEST(IsVoiceless, OnlyTextsInsideTheSet) {
  for (const wchar_t* x : {L"t", L"p", L"f", L"s", L"k", L"S", L"x"}) EXPECT_TRUE(IsVoiceless(x)) << x;
  for (const wchar_t* x : {L"ts", L"tS", L"ts'", L"s'", L" ", L".", L"b", L"T"})
    EXPECT_FALSE(IsVoiceless(x)) << x;
}

}  // namespace
}  // namespace mowik
