#include "mowik/settings/property_value.h"

#include <limits>

#include "mowik/program/trimmed_text.h"

namespace mowik {
namespace {

// Plain decimal with an optional sign; false for anything else or on overflow of 64 bits.
bool ParseDecimal(const std::wstring& text, int64_t& out) {
  const std::wstring digits = TrimmedText(text);
  size_t i = 0;
  bool negative = false;
  if (i < digits.size() && (digits[i] == L'-' || digits[i] == L'+')) negative = digits[i++] == L'-';
  if (i == digits.size()) return false;
  int64_t value = 0;
  for (; i < digits.size(); ++i) {
    if (digits[i] < L'0' || digits[i] > L'9') return false;
    if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) return false;
    value = value * 10 + (digits[i] - L'0');
  }
  out = negative ? -value : value;
  return true;
}

bool AsInt64(const PropertyValue& value, int64_t& out) {
  if (const auto* v = std::get_if<int16_t>(&value)) return out = *v, true;
  if (const auto* v = std::get_if<int32_t>(&value)) return out = *v, true;
  if (const auto* v = std::get_if<bool>(&value)) return out = *v ? 1 : 0, true;
  if (const auto* v = std::get_if<std::wstring>(&value)) return ParseDecimal(*v, out);
  return false;
}

template <typename Int>
Int AsInt(const PropertyValue& value) {
  int64_t wide = 0;
  if (!AsInt64(value, wide)) return 0;
  if (wide < std::numeric_limits<Int>::min() || wide > std::numeric_limits<Int>::max()) return 0;
  return static_cast<Int>(wide);
}

}  // namespace

int16_t AsInt16(const PropertyValue& value) { return AsInt<int16_t>(value); }
int32_t AsInt32(const PropertyValue& value) { return AsInt<int32_t>(value); }

std::wstring AsText(const PropertyValue& value) {
  if (const auto* v = std::get_if<std::wstring>(&value)) return *v;
  if (const auto* v = std::get_if<int16_t>(&value)) return TrimmedText(*v);
  if (const auto* v = std::get_if<int32_t>(&value)) return TrimmedText(*v);
  if (const auto* v = std::get_if<bool>(&value)) return *v ? L"1" : L"0";
  return {};
}

}  // namespace mowik
