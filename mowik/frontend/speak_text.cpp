#include "mowik/frontend/speak_text.h"

#include "mowik/frontend/assimilate_voicing.h"
#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/frontend/phoneme_text.h"
#include "mowik/frontend/transcribe_letters.h"
#include "mowik/verbalise/collapse_spaces.h"
#include "mowik/verbalise/normalise_text.h"

namespace mowik {
namespace {

constexpr std::wstring_view kFirstCut = L".?!; ";
// Once the rest has been cleaned up, tabs have become blanks and cut as well.
constexpr std::wstring_view kLaterCut = L".?!; \t";

struct ClosingMark {
  wchar_t mark;
  int32_t intonation;
};

constexpr ClosingMark kClosingMarks[] = {
    {L'.', kFalling}, {L'?', kRising}, {L'!', kStronglyFalling},
    {L',', kRising},  {L'-', kFalling}, {L')', kRising},
};

// find_first_of over a handful of marks, without a library search per character.
size_t FindAny(std::wstring_view text, size_t from, std::wstring_view marks) {
  for (size_t i = from; i < text.size(); ++i)
    for (const wchar_t mark : marks)
      if (text[i] == mark) return i;
  return std::wstring_view::npos;
}

}  // namespace

int32_t IntonationOf(std::wstring_view piece) {
  if (piece.empty()) return kFalling;
  for (const ClosingMark& closing : kClosingMarks)
    if (piece.back() == closing.mark) return closing.intonation;
  return kFalling;
}

void CutPieces(std::wstring_view text, const std::function<void(const std::wstring&)>& visit) {
  if (text.empty()) return;
  // Cutting the first piece off the text and cleaning up the rest at every cut, as the
  // pipeline is described, copies the rest each time; walking one index gives the same
  // pieces in linear time.
  size_t cut = FindAny(text, 0, kFirstCut);
  size_t end = cut == std::wstring_view::npos ? text.size() : cut + 1;
  visit(CollapseSpaces(text.substr(0, end)));
  for (size_t pos = end;;) {
    pos = text.find_first_not_of(L" \t", pos);
    if (pos == std::wstring_view::npos) return;
    cut = FindAny(text, pos, kLaterCut);
    end = cut == std::wstring_view::npos ? text.size() : cut + 1;
    visit(CollapseSpaces(text.substr(pos, end - pos)));
    pos = end;
  }
}

void SpeakPieces(std::wstring& text, PhonemeSink& sink, ClsStackCollection& list, RandomSource& random) {
  std::string phonemes;
  phonemes.reserve(text.size() * 10);  // about ten bytes of phoneme text per letter
  CutPieces(text, [&](const std::wstring& piece) {
    TranscribeLetters(piece, list);
    AssimilateVoicing(list);
    DevoiceAfterVoiceless(list);
    int16_t base_pitch = kBasePitch;
    AppendPhonemeText(list, IntonationOf(piece), base_pitch, phonemes, random);
  });
  text.clear();
  sink.PlaySampa(phonemes);
}

void SpeakPieces(std::wstring& text, PhonemeSink& sink) { SpeakPieces(text, sink, PhonemeList(), ProgramRandom()); }

void SpeakText(std::wstring& text, const NormaliseOptions& options, PhonemeSink& sink, ClsStackCollection& list) {
  list.Clear();
  NormaliseText(text, options);
  SpeakPieces(text, sink, list, options.random ? *options.random : ProgramRandom());
}

void SpeakText(std::wstring& text, const NormaliseOptions& options, PhonemeSink& sink) {
  ClsStackCollection list;
  SpeakText(text, options, sink, list);
}

}  // namespace mowik
