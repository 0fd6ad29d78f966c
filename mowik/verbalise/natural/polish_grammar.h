#pragma once
// The grammatical categories that natural reading agrees numbers and words in.

#include <cstdint>

namespace mowik {

enum class Case : uint8_t { Nom, Gen, Dat, Acc, Ins, Loc };
constexpr int kCaseCount = 6;

// Masculine personal (studenci), animate (psy), inanimate (domy), feminine, neuter.
enum class Gender : uint8_t { MascPersonal, MascAnimate, MascInanimate, Feminine, Neuter };

// The form a count asks of its noun: exactly one; 2-4 but not 12-14 in the last digits; the
// rest (0, 5-21, 25-31, ..., whole thousands).
enum class CountClass : uint8_t { One, Few, Many };
CountClass CountClassOf(uint64_t value);

}  // namespace mowik
