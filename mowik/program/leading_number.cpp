#include "mowik/program/leading_number.h"

#include <cmath>
#include <limits>

namespace mowik {

double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
    if (text[i] == L'-') sign = -1;
    ++i;
  }
  double value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) value = value * 10 + (text[i] - L'0');
  if (i < text.size() && text[i] == L'.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, scale /= 10) value += (text[i] - L'0') * scale;
  }
  return sign * value;
}

int32_t LeadingWholeNumber(std::wstring_view text) {
  const double rounded = std::nearbyint(LeadingNumber(text));  // the default mode: half to even
  if (rounded >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (rounded <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(rounded);
}

}  // namespace mowik
