#pragma once
// DigitsToString: the words spoken after an amount for its three-letter currency code.

#include <string>
#include <string_view>

namespace mowik {

// The words for code, compared without regard to the case of its ASCII letters ("eur" and
// "EUR" both give "euro"), without leading or trailing blanks; the empty text for a code
// that is not in the table.
std::wstring CurrencyName(std::wstring_view code);

}  // namespace mowik
