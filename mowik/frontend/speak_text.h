#pragma once
// The speaking pipeline: text in, the phoneme text of the whole utterance out to a sink.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/frontend/phoneme_sink.h"
#include "mowik/program/random_between.h"
#include "mowik/verbalise/normalise_text.h"

namespace mowik {

// Speaks text: normalises it with options and runs SpeakPieces into a phoneme list of this
// call, drawing from options.random (the program's source when null). The caller's text is
// consumed (empty afterwards). Nothing else is shared: callers in several threads may speak
// at once.
void SpeakText(std::wstring& text, const NormaliseOptions& options, PhonemeSink& sink);
// The same into list, emptied first: the reader's PhonemeList.
void SpeakText(std::wstring& text, const NormaliseOptions& options, PhonemeSink& sink, ClsStackCollection& list);

// Cuts text into pieces, turns each piece into phoneme text (letters into list, assimilation,
// prosody with draws from random) and hands the joined text to sink once, even when it is
// empty. Consumes text; leaves list empty.
void SpeakPieces(std::wstring& text, PhonemeSink& sink, ClsStackCollection& list, RandomSource& random);
// The same with PhonemeList and the program's source.
void SpeakPieces(std::wstring& text, PhonemeSink& sink);

// Calls visit with each piece of text in order. A piece runs up to and including the next
// ".", "?", "!", ";" or blank, with its blanks cleaned up; after the first cut the rest is
// read with its blanks cleaned up, so a tab cuts there too and runs of blanks give no empty
// pieces. A text that begins with a blank gives an empty first piece. Linear in the length.
void CutPieces(std::wstring_view text, const std::function<void(const std::wstring&)>& visit);

// The intonation mode a piece gets from its last character: "." "-" falling, "?" "," ")"
// rising, "!" strongly falling, anything else (and the empty piece) falling.
int32_t IntonationOf(std::wstring_view piece);

}  // namespace mowik
