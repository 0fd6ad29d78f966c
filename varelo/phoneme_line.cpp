#include "varelo/phoneme_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mowik {
namespace {

// 10^n, exact up to 10^22 (some C libraries' pow is not); beyond that pow is good enough.
double PowerOfTen(int n) {
  if (n > 22) return std::pow(10.0, n);
  double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

PhonemeLine Error(std::string text) {
  PhonemeLine p;
  p.kind = PhonemeLine::Kind::kError;
  p.error = std::move(text);
  return p;
}

// ";; F = x" and ";; T = x" (letters in either case, blanks optional); other ";" lines are
// comments.
PhonemeLine ParseSetting(std::string_view line, bool lenient) {
  PhonemeLine nothing;
  if (line.size() < 2 || line[1] != ';') return nothing;
  size_t i = 2;
  auto skip = [&] { while (i < line.size() && IsBlank(line[i])) ++i; };
  skip();
  if (i >= line.size()) return nothing;
  const char letter = line[i];
  PhonemeLine p;
  if (letter == 'F' || letter == 'f') p.kind = PhonemeLine::Kind::kPitchRatio;
  else if (letter == 'T' || letter == 't') p.kind = PhonemeLine::Kind::kDurationRatio;
  else return nothing;
  ++i;
  skip();
  if (i >= line.size() || line[i] != '=') return nothing;
  ++i;
  const std::vector<std::string_view> rest = Tokens(line.substr(i));
  double value = 0;
  if (rest.size() != 1 || !ParseDecimal(rest[0], value)) {
    if (lenient) return nothing;
    return Error("the ratio is not a number");
  }
  if (value < kMinRatio || value > kMaxRatio) {
    if (!lenient) return Error("the ratio is outside 0.05 to 20");
    value = std::clamp(value, kMinRatio, kMaxRatio);
  }
  p.ratio = value;
  return p;
}

}  // namespace

bool ParseDecimal(std::string_view token, double& value) {
  size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  double mantissa = 0;
  int digits = 0, scale = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i, ++digits)
    mantissa = mantissa * 10 + (token[i] - '0');
  if (i < token.size() && (token[i] == '.' || token[i] == ',')) {
    for (++i; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i, ++digits, --scale)
      mantissa = mantissa * 10 + (token[i] - '0');
  }
  if (digits == 0) return false;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    bool minus = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) minus = token[i++] == '-';
    int exponent = 0, exponentDigits = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i, ++exponentDigits)
      exponent = std::min(exponent * 10 + (token[i] - '0'), 10000);
    if (exponentDigits == 0) return false;
    scale += minus ? -exponent : exponent;
  }
  if (i != token.size()) return false;
  // Dividing by an exact power of ten rounds correctly, so "1.5" is exactly 1.5.
  value = scale < 0 ? mantissa / PowerOfTen(-scale) : mantissa * PowerOfTen(scale);
  if (negative) value = -value;
  return std::isfinite(value);
}

PhonemeLine ParsePhonemeLine(std::string_view line, bool lenient) {
  if (line.size() > kMaxLineLength) {
    if (!lenient) return Error("the line is longer than 4096 characters");
    line = line.substr(0, kMaxLineLength);
  }
  size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  if (first == line.size()) return {};
  if (line[first] == ';') return ParseSetting(line.substr(first), lenient);

  const std::vector<std::string_view> tokens = Tokens(line);
  PhonemeLine p;
  p.kind = PhonemeLine::Kind::kPhoneme;
  p.symbol = std::string(tokens[0]);
  if (tokens.size() < 2 || !ParseDecimal(tokens[1], p.durationMs)) {
    if (!lenient)
      return Error(tokens.size() < 2 ? "the duration is missing" : "the duration is not a number");
    p.durationMs = 0;
  }
  if (p.durationMs < 0 || p.durationMs > kMaxDurationMs) {
    if (!lenient) return Error("the duration is outside 0 to 60000 ms");
    p.durationMs = std::clamp(p.durationMs, 0.0, kMaxDurationMs);
  }
  const size_t values = tokens.size() - 2;
  if (tokens.size() > 2 && values % 2 != 0 && !lenient)
    return Error("a pitch target lacks its frequency");
  for (size_t k = 2; k + 1 < tokens.size(); k += 2) {
    PitchTarget t;
    if (!ParseDecimal(tokens[k], t.percent) || !ParseDecimal(tokens[k + 1], t.hz)) {
      if (!lenient) return Error("a pitch target is not a number");
      break;
    }
    if (t.percent < 0 || t.percent > 100) {
      if (!lenient) return Error("a pitch target's position is outside 0 to 100");
      t.percent = std::clamp(t.percent, 0.0, 100.0);
    }
    if (t.hz < kMinPitchHz || t.hz > kMaxPitchHz) {
      if (!lenient) return Error("a pitch target's frequency is outside 20 to 2000 Hz");
      t.hz = std::clamp(t.hz, kMinPitchHz, kMaxPitchHz);
    }
    if (p.targets.size() == kMaxTargets) {
      if (!lenient) return Error("the line has more than 64 pitch targets");
      break;
    }
    p.targets.push_back(t);
  }
  return p;
}

}  // namespace mowik
