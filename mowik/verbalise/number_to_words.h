#pragma once
// DigitsToString: Polish cardinal words for digit strings.

#include <string>
#include <string_view>

namespace mowik {

// The nominative cardinal words for the digits before the first comma of digits (anything
// from the comma on is not read), each word followed by one blank; the empty text when there
// are no such digits. A character that is not a digit counts as 0.
//  - Up to twelve digits are read as one number with thousands, millions and thousand
//    millions ("miliard"), each group word agreeing with its whole group ("tysiąc",
//    "tysiące", "tysięcy"); a group of zeros gets no word. Leading zeros are silent, except
//    that a value of zero reads "zero " for each group: «0000» is «zero zero ».
//  - Thirteen digits or more (account and telephone numbers) are read digit by digit,
//    zeros included, so that no digit is lost.
std::wstring NumberToWords(std::wstring_view digits);

}  // namespace mowik
