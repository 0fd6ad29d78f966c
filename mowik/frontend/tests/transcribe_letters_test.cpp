#include "mowik/frontend/transcribe_letters.h"

#include <gtest/gtest.h>

#include "mowik/frontend/tests/test_lists.h"

namespace mowik {
namespace {

using testing::Joined;

std::wstring Transcribed(const std::wstring& piece) {
  ClsStackCollection list;
  TranscribeLetters(piece, list);
  return Joined(list);
}

struct WordCase {
  const wchar_t* word;
  const wchar_t* phonemes;
};

// Every rule of the cascade, and the order of the tests within a letter.
constexpr WordCase kWords[] = {
    {L"pies", L"p j e s"},           {L"nie", L"n' e"},
    {L"się", L"s' e~"},              {L"siwy", L"s' i v I"},
    {L"prosi", L"p r o s' i"},       {L"zima", L"z' i m a"},
    {L"ziemia", L"z' e m j a"},      {L"dziadek", L"dz' a d e k"},
    {L"dzwon", L"dz v o n"},         {L"ksiądz", L"k s' o n dz"},
    {L"dzień", L"dz' e n'"},         {L"chodź", L"x o d z'"},
    {L"dżem", L"d Z e m"},           {L"ząb", L"z o m b"},
    {L"ręka", L"r e N k a"},         {L"kąt", L"k o n t"},
    {L"pięć", L"p j e n' ts'"},      {L"będzie", L"b e n' dz' e"},
    {L"sądzić", L"s o n' dz' i ts'"}, {L"zając", L"z a j o n ts"},
    {L"idąca", L"i d o n ts a"},     {L"błąd", L"b w o n d"},
    {L"tęcza", L"t e n tS a"},       {L"szkoła", L"S k o w a"},
    {L"rzeka", L"Z e k a"},          {L"bank", L"b a N k"},
    {L"ich", L"i x"},
    // Further rows: ę before l/ł (no consonant), ę before ć, ą at the end, ń, ó, h.
    {L"wzięli", L"v z' e l i"},      {L"chcę", L"x ts e~"},
    {L"mają", L"m a j o~"},          {L"koń", L"k o n'"},
    {L"góra", L"g u r a"},           {L"hak", L"x a k"},
    {L"zęby", L"z e m b I"},         {L"pęcie", L"p e n' ts' e"},
    {L"będźmy", L"b e n' d z' m I"}, {L"dzi", L"dz' i"},
    {L"ni", L"n' i"},                {L"ci", L"ts' i"},
    {L"dz", L"dz"},                  {L"n", L"n"},
};

TEST(TranscribeLetters, WordTable) {
  for (const WordCase& c : kWords) EXPECT_EQ(Transcribed(c.word), c.phonemes) << c.word;
}

TEST(TranscribeLetters, IBeforeAVowel) {
  EXPECT_EQ(Transcribed(L"ia"), L"i a");      // word-initial i stays
  EXPECT_EQ(Transcribed(L"aia"), L"a a");     // after a vowel it is dropped
  EXPECT_EQ(Transcribed(L"kia"), L"k j a");   // after a glide consonant it is j
  EXPECT_EQ(Transcribed(L"Pia"), L"j a");     // the glide test ignores case (P itself is dropped)
  EXPECT_EQ(Transcribed(L"piA"), L"p j");     // so does the vowel test (A itself is dropped)
  EXPECT_EQ(Transcribed(L"siĘ"), L"s'");      // soft i before a capital vowel only softens
}

TEST(TranscribeLetters, MarksBlanksAndDroppedCharacters) {
  ClsStackCollection list;
  TranscribeLetters(L"kota.", list);
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list.Item(5), L".");
  EXPECT_EQ(list.Item(6), L" ");

  EXPECT_EQ(Transcribed(L"Ala"), L"l a");
  EXPECT_EQ(Transcribed(L"a1b2"), L"a b");
  EXPECT_EQ(Transcribed(L"qxv"), L"q x v");
  EXPECT_EQ(Transcribed(L"(a-b):c;!?,"), L"( a - b ) : ts ; ! ? ,");
  EXPECT_EQ(Transcribed(L"жук\u4e2d\r\n"), L"");

  list.Clear();
  TranscribeLetters(L"ala\tma", list);  // a tab splits into two words
  EXPECT_EQ(list.Count(), 7);
  EXPECT_EQ(list.Item(4), L" ");

  list.Clear();
  TranscribeLetters(L"  ", list);  // no words at all: not even a closing blank
  EXPECT_EQ(list.Count(), 0);
  TranscribeLetters(L"123", list);  // a word of dropped letters: just the closing blank
  EXPECT_EQ(list.Count(), 1);
}

TEST(TranscribeLetters, RulesNeverReadPastTheWord) {
  // Each of these ends where a rule would look further ahead.
  EXPECT_EQ(Transcribed(L"ę"), L"e~");
  EXPECT_EQ(Transcribed(L"ęc"), L"e n ts");
  EXPECT_EQ(Transcribed(L"ędz"), L"e n dz");
  EXPECT_EQ(Transcribed(L"dzi"), L"dz' i");
  EXPECT_EQ(Transcribed(L"rz"), L"Z");
  EXPECT_EQ(Transcribed(L"ci ę"), L"ts' i e~");
}

TEST(TranscribeLetters, HugeWordIsLinearAndSafe) {
  const std::wstring word(100000, L'a');
  ClsStackCollection list;
  TranscribeLetters(word, list);
  EXPECT_EQ(list.Count(), 100001);
}

}  // namespace
}  // namespace mowik
