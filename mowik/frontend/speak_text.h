#pragma once
// The speaking pipeline: text in, the phoneme text of the whole utterance out to a sink.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "mowik/frontend/phoneme_sink.h"
#include "mowik/verbalise/normalise_text.h"

namespace mowik {

// Speaks text: empties PhonemeList, normalises the text with options and runs SpeakPieces.
// The caller's text is consumed (empty afterwards).
void SpeakText(std::wstring& text, const NormaliseOptions& options, PhonemeSink& sink);

// Cuts text into pieces, turns each piece into phoneme text (letters, assimilation, prosody)
// and hands the joined text to sink once, even when it is empty. Consumes text.
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
