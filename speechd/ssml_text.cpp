#include "speechd/ssml_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace mowik::speechd {
namespace {

struct NamedValue {
  std::string_view name;
  double value;
};

constexpr NamedValue kSpeeds[] = {{"x-slow", 0.5}, {"slow", 0.75}, {"medium", 1.0}, {"default", 1.0},
                                  {"fast", 1.5},    {"x-fast", 2.0}};
constexpr NamedValue kPitches[] = {{"x-low", 0.7}, {"low", 0.85}, {"medium", 1.0}, {"default", 1.0},
                                   {"high", 1.15}, {"x-high", 1.3}};
// The samples are only ever attenuated: loud is the voice at full strength.
constexpr NamedValue kVolumes[] = {{"silent", 0.0}, {"x-soft", 0.3}, {"soft", 0.6}, {"medium", 1.0},
                                   {"default", 1.0}, {"loud", 1.0},  {"x-loud", 1.0}};
constexpr NamedValue kStrengths[] = {{"none", 0},     {"x-weak", 100}, {"weak", 250},
                                     {"medium", 400}, {"strong", 700}, {"x-strong", 1000}};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

template <size_t N>
std::optional<double> Named(const NamedValue (&table)[N], std::string_view value) {
  for (const NamedValue& entry : table)
    if (entry.name == value) return entry.value;
  return std::nullopt;
}

// A decimal number with the given unit after it (the whole value), e.g. "+20" and "%".
std::optional<double> NumberWithUnit(std::string_view value, std::string_view unit) {
  if (value.size() <= unit.size() || value.substr(value.size() - unit.size()) != unit) return std::nullopt;
  const std::string number(value.substr(0, value.size() - unit.size()));
  if (number.size() > 32) return std::nullopt;
  char* end = nullptr;
  const double parsed = std::strtod(number.c_str(), &end);
  if (end == number.c_str() || *end != '\0' || !std::isfinite(parsed)) return std::nullopt;
  return parsed;
}

bool Signed(std::string_view value) { return !value.empty() && (value[0] == '+' || value[0] == '-'); }

// A number with unit as a multiplier, scale to one: a signed value ("+20%", "-3") changes
// the voice's own by that much, an unsigned one ("120%") names the result.
std::optional<double> Relative(std::string_view value, std::string_view unit, double scale) {
  const std::optional<double> number = NumberWithUnit(value, unit);
  if (!number) return std::nullopt;
  return Signed(value) ? 1.0 + *number / scale : *number / scale;
}

}  // namespace

double ProsodySpeed(std::string_view value, double fallback) {
  value = Trim(value);
  std::optional<double> speed = Named(kSpeeds, value);
  if (!speed) speed = Relative(value, "%", 100.0);
  if (!speed) speed = NumberWithUnit(value, "");
  return speed ? std::clamp(*speed, 0.25, 4.0) : fallback;
}

double ProsodyPitch(std::string_view value, double fallback) {
  value = Trim(value);
  std::optional<double> pitch = Named(kPitches, value);
  if (!pitch) pitch = Relative(value, "%", 100.0);
  if (!pitch)
    if (const std::optional<double> semitones = NumberWithUnit(value, "st"))
      pitch = std::pow(2.0, std::clamp(*semitones, -24.0, 24.0) / 12.0);
  return pitch ? std::clamp(*pitch, 0.5, 2.0) : fallback;
}

double ProsodyVolume(std::string_view value, double fallback) {
  value = Trim(value);
  std::optional<double> volume = Named(kVolumes, value);
  if (!volume)
    if (const std::optional<double> decibels = NumberWithUnit(value, "dB"))
      volume = std::pow(10.0, std::clamp(*decibels, -100.0, 100.0) / 20.0);
  // "50" is the old 0..100 scale: a number without a unit reads as a percentage.
  if (!volume) volume = Relative(value, "%", 100.0);
  if (!volume) volume = Relative(value, "", 100.0);
  return volume ? std::clamp(*volume, 0.0, 1.0) : fallback;
}

int BreakMs(std::string_view time, std::string_view strength) {
  time = Trim(time);
  std::optional<double> ms;
  if (const std::optional<double> milliseconds = NumberWithUnit(time, "ms"))
    ms = *milliseconds;
  else if (const std::optional<double> seconds = NumberWithUnit(time, "s"))
    ms = *seconds * 1000.0;
  if (!ms) ms = Named(kStrengths, Trim(strength));
  if (!ms) ms = 400;
  return static_cast<int>(std::lround(std::clamp(*ms, 0.0, 10000.0)));
}

namespace {

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

struct Entity {
  std::string_view name;
  char value;
};
constexpr Entity kEntities[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};

// Text with its entities decoded; an entity that is not one stays as written.
std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t semicolon = text[i] == '&' ? text.find(';', i + 1) : std::string_view::npos;
    if (semicolon == std::string_view::npos || semicolon - i > 12) {
      out += text[i];
      continue;
    }
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    bool decoded = false;
    for (const Entity& entity : kEntities)
      if (name == entity.name) {
        out += entity.value;
        decoded = true;
      }
    if (!decoded && name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      const std::string digits(name.substr(hex ? 2 : 1));
      char* end = nullptr;
      const unsigned long code = digits.empty() ? 0 : std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
      if (!digits.empty() && *end == '\0' && digits[0] != '-' && digits[0] != '+' && code > 0 &&
          code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
        AppendUtf8(out, code);
        decoded = true;
      }
    }
    if (!decoded) {
      out += text[i];
      continue;
    }
    i = semicolon;
  }
  return out;
}

struct Tag {
  std::string name;  // lowercase, without a namespace prefix
  bool closing = false;
  bool selfClosing = false;
  std::vector<std::pair<std::string, std::string>> attributes;

  std::string_view Attribute(std::string_view wanted) const {
    for (const auto& [key, value] : attributes)
      if (key == wanted) return value;
    return {};
  }
};

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == ':' || c == '.';
}

std::string LowerName(std::string_view name) {
  const size_t colon = name.rfind(':');
  std::string lower(colon == std::string_view::npos ? name : name.substr(colon + 1));
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return lower;
}

// The tag between '<' and '>' (body excludes both).
Tag ParseTag(std::string_view body) {
  Tag tag;
  size_t i = 0;
  if (i < body.size() && body[i] == '/') {
    tag.closing = true;
    ++i;
  }
  size_t start = i;
  while (i < body.size() && IsNameChar(body[i])) ++i;
  tag.name = LowerName(body.substr(start, i - start));
  tag.selfClosing = !body.empty() && body.back() == '/';
  while (i < body.size()) {
    while (i < body.size() && !IsNameChar(body[i])) ++i;
    start = i;
    while (i < body.size() && IsNameChar(body[i])) ++i;
    const std::string key = LowerName(body.substr(start, i - start));
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t' || body[i] == '\n' || body[i] == '\r')) ++i;
    if (i >= body.size() || body[i] != '=') continue;
    ++i;
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t' || body[i] == '\n' || body[i] == '\r')) ++i;
    std::string value;
    if (i < body.size() && (body[i] == '"' || body[i] == '\'')) {
      const char quote = body[i++];
      const size_t close = body.find(quote, i);
      const size_t stop = close == std::string_view::npos ? body.size() : close;
      value = DecodeEntities(body.substr(i, stop - i));
      i = stop + 1;
    } else {
      start = i;
      while (i < body.size() && body[i] != ' ' && body[i] != '\t' && body[i] != '/') ++i;
      value = DecodeEntities(body.substr(start, i - start));
    }
    if (!key.empty() && tag.attributes.size() < 32) tag.attributes.emplace_back(key, std::move(value));
  }
  return tag;
}

// Where the tag that starts at open ('<') ends ('>'), quotes in it respected; npos if none.
size_t TagEnd(std::string_view ssml, size_t open) {
  char quote = 0;
  for (size_t i = open + 1; i < ssml.size(); ++i) {
    const char c = ssml[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    } else if (c == '<') {
      return std::string_view::npos;  // a '<' in text: the first one was not a tag
    }
  }
  return std::string_view::npos;
}

struct State {
  std::string element;
  Prosody prosody;
  bool characters = false;
  bool silent = false;  // inside <sub> (its alias is spoken instead) or <desc>
};

constexpr size_t kMaxDepth = 256;

class Builder {
 public:
  void Text(std::string text, const State& state) {
    if (text.empty() || state.silent) return;
    if (!segments_.empty() && segments_.back().kind == SegmentKind::kText &&
        segments_.back().characters == state.characters && segments_.back().prosody == state.prosody) {
      segments_.back().text += text;
      return;
    }
    Segment segment;
    segment.text = std::move(text);
    segment.characters = state.characters;
    segment.prosody = state.prosody;
    segments_.push_back(std::move(segment));
  }
  void Mark(std::string name) {
    Segment segment;
    segment.kind = SegmentKind::kMark;
    segment.text = std::move(name);
    segments_.push_back(std::move(segment));
  }
  void Break(int ms) {
    Segment segment;
    segment.kind = SegmentKind::kBreak;
    segment.breakMs = ms;
    segments_.push_back(std::move(segment));
  }
  std::vector<Segment> Take() { return std::move(segments_); }

 private:
  std::vector<Segment> segments_;
};

bool SpellsCharacters(std::string_view interpretAs) {
  const std::string kind = LowerName(interpretAs);
  return kind == "characters" || kind == "letters" || kind == "spell-out" || kind == "char";
}

}  // namespace

std::vector<Segment> ParseSsml(std::string_view ssml) {
  Builder out;
  std::vector<State> stack{State{}};
  size_t i = 0;
  while (i < ssml.size()) {
    const size_t open = ssml.find('<', i);
    const size_t textEnd = open == std::string_view::npos ? ssml.size() : open;
    if (textEnd > i) out.Text(DecodeEntities(ssml.substr(i, textEnd - i)), stack.back());
    if (open == std::string_view::npos) break;

    if (ssml.compare(open, 4, "<!--") == 0) {
      const size_t close = ssml.find("-->", open + 4);
      i = close == std::string_view::npos ? ssml.size() : close + 3;
      continue;
    }
    if (ssml.compare(open, 9, "<![CDATA[") == 0) {
      const size_t close = ssml.find("]]>", open + 9);
      const size_t stop = close == std::string_view::npos ? ssml.size() : close;
      out.Text(std::string(ssml.substr(open + 9, stop - open - 9)), stack.back());
      i = close == std::string_view::npos ? ssml.size() : close + 3;
      continue;
    }
    const char next = open + 1 < ssml.size() ? ssml[open + 1] : ' ';
    const bool tagStart = next == '/' || next == '!' || next == '?' || (next >= 'a' && next <= 'z') ||
                          (next >= 'A' && next <= 'Z') || next == '_';
    const size_t close = tagStart ? TagEnd(ssml, open) : std::string_view::npos;
    if (close == std::string_view::npos) {
      // Not a tag after all: the '<' is text.
      out.Text("<", stack.back());
      i = open + 1;
      continue;
    }
    i = close + 1;
    const std::string_view body = ssml.substr(open + 1, close - open - 1);
    if (body.empty() || body[0] == '?' || body[0] == '!') continue;
    const Tag tag = ParseTag(body);
    if (tag.name.empty()) continue;

    if (tag.closing) {
      // Closes the innermost open element of that name, and any left open inside it.
      for (size_t depth = stack.size() - 1; depth > 0; --depth)
        if (stack[depth].element == tag.name) {
          stack.resize(depth);
          break;
        }
      if (tag.name == "p" || tag.name == "s") out.Text(" ", stack.back());
      continue;
    }

    const State& current = stack.back();
    if (tag.name == "mark") {
      if (!current.silent) out.Mark(std::string(tag.Attribute("name")));
    } else if (tag.name == "break") {
      if (!current.silent) out.Break(BreakMs(tag.Attribute("time"), tag.Attribute("strength")));
    }
    if (tag.selfClosing) continue;

    State inner = current;
    inner.element = tag.name;
    if (tag.name == "prosody") {
      inner.prosody.speed = std::clamp(current.prosody.speed * ProsodySpeed(tag.Attribute("rate"), 1.0), 0.25, 4.0);
      inner.prosody.pitch = std::clamp(current.prosody.pitch * ProsodyPitch(tag.Attribute("pitch"), 1.0), 0.5, 2.0);
      inner.prosody.volume = current.prosody.volume * ProsodyVolume(tag.Attribute("volume"), 1.0);
    } else if (tag.name == "say-as") {
      if (SpellsCharacters(tag.Attribute("interpret-as"))) inner.characters = true;
    } else if (tag.name == "sub") {
      out.Text(std::string(tag.Attribute("alias")), current);
      inner.silent = true;
    } else if (tag.name == "desc") {
      inner.silent = true;
    } else if (tag.name == "p" || tag.name == "s") {
      out.Text(" ", current);
    }
    if (stack.size() < kMaxDepth) stack.push_back(std::move(inner));
  }
  return out.Take();
}

}  // namespace mowik::speechd
