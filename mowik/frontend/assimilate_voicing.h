#pragma once
// Voicing assimilation over the phoneme list of one word. Both passes only replace item
// texts; they never insert or remove items. The pipeline runs AssimilateVoicing first.

#include <string_view>

#include "mowik/frontend/cls_stack_collection.h"

namespace mowik {

// Regressive: a voiced obstruent before a voiceless phoneme becomes voiceless («wszystko»:
// v becomes f). The affricates and z' look two items ahead, the others one. The last four
// items of the list are left as they are, and one pass decides each item on the items after
// it as they were before the pass.
void AssimilateVoicing(ClsStackCollection& list);

// Progressive: "v" and "Z" become "f" and "S" after a voiceless phoneme («kwiat», «przy»),
// looking at the previous item as this pass has already left it.
void DevoiceAfterVoiceless(ClsStackCollection& list);

// True when x occurs inside VoicelessSet; phonemes of more than one letter ("ts", "s'") do
// not, nor do blanks and marks.
bool IsVoiceless(std::wstring_view x);

}  // namespace mowik
