#pragma once
#include <string_view>

#include "mowik/frontend/cls_stack_collection.h"

namespace mowik {

// Transcribes one piece (normally one word and its closing mark) into SAMPA phonemes and
// appends them to list, followed by a blank " " after every word. Blanks and tabs separate
// words. Letters the rules do not know (capitals, digits, other scripts) give nothing; marks
// of the speakable set pass through as items of their own.
void TranscribeLetters(std::wstring_view piece, ClsStackCollection& list);

}  // namespace mowik
