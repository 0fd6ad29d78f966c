#include "mowik/verbalise/natural/generator/hunspell_source.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace mowik::lexicon {

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  bytes = text.str();
  return !in.bad();
}

namespace {

// ISO 8859-2 from 0xA0 up.
constexpr char16_t kLatin2High[96] = {
    0xa0,  0x104, 0x2d8, 0x141, 0xa4,  0x13d, 0x15a, 0xa7,  0xa8,  0x160, 0x15e, 0x164, 0x179, 0xad,  0x17d, 0x17b,
    0xb0,  0x105, 0x2db, 0x142, 0xb4,  0x13e, 0x15b, 0x2c7, 0xb8,  0x161, 0x15f, 0x165, 0x17a, 0x2dd, 0x17e, 0x17c,
    0x154, 0xc1,  0xc2,  0x102, 0xc4,  0x139, 0x106, 0xc7,  0x10c, 0xc9,  0x118, 0xcb,  0x11a, 0xcd,  0xce,  0x10e,
    0x110, 0x143, 0x147, 0xd3,  0xd4,  0x150, 0xd6,  0xd7,  0x158, 0x16e, 0xda,  0x170, 0xdc,  0xdd,  0x162, 0xdf,
    0x155, 0xe1,  0xe2,  0x103, 0xe4,  0x13a, 0x107, 0xe7,  0x10d, 0xe9,  0x119, 0xeb,  0x11b, 0xed,  0xee,  0x10f,
    0x111, 0x144, 0x148, 0xf3,  0xf4,  0x151, 0xf6,  0xf7,  0x159, 0x16f, 0xfa,  0x171, 0xfc,  0xfd,  0x163, 0x2d9,
};

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t p = 0;
  while (p < line.size()) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    const size_t start = p;
    while (p < line.size() && line[p] != ' ' && line[p] != '\t') ++p;
    if (p > start) fields.push_back(line.substr(start, p - start));
  }
  return fields;
}

template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  size_t number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!each(line, ++number)) return;
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
}

std::string At(size_t line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

bool ParseCondition(const std::wstring& text, std::vector<SuffixRule::Item>& items) {
  if (text == L".") return true;
  for (size_t i = 0; i < text.size();) {
    SuffixRule::Item item;
    if (text[i] == L'[') {
      const size_t close = text.find(L']', i);
      if (close == std::wstring::npos) return false;
      item.negated = i + 1 < close && text[i + 1] == L'^';
      item.letters = text.substr(i + 1 + item.negated, close - i - 1 - item.negated);
      i = close + 1;
    } else if (text[i] == L'.') {
      item.negated = true;
      ++i;
    } else {
      item.letters = text.substr(i++, 1);
    }
    items.push_back(std::move(item));
  }
  return true;
}

}  // namespace

std::wstring Decode(std::string_view bytes, bool utf8) {
  std::wstring out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (!utf8) {
      out.push_back(c < 0xa0 ? static_cast<wchar_t>(c) : static_cast<wchar_t>(kLatin2High[c - 0xa0]));
      ++i;
      continue;
    }
    const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    uint32_t code = length == 1 ? c : length == 2 ? c & 0x1f : length == 3 ? c & 0x0f : c & 0x07;
    bool valid = length != 0 && i + length <= bytes.size();
    for (int k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next >> 6) == 2;
      code = (code << 6) | (next & 0x3f);
    }
    if (!valid || code > 0xffff) {  // the lexicon is Polish: nothing beyond the BMP
      out.push_back(L'\xfffd');
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(code));
      i += length;
    }
  }
  return out;
}

bool SuffixRule::Applies(std::wstring_view word) const {
  if (word.size() < condition.size() || word.size() < strip.size() || !word.ends_with(strip)) return false;
  const size_t start = word.size() - condition.size();
  for (size_t k = 0; k < condition.size(); ++k) {
    const bool in = condition[k].letters.find(word[start + k]) != std::wstring::npos;
    if (in == condition[k].negated) return false;
  }
  return true;
}

bool ReadAffixes(std::string_view aff, HunspellSource& source, std::string& error) {
  bool utf8 = true;
  bool ok = true;
  ForEachLine(aff, [&](std::string_view line, size_t number) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.empty() || f[0].starts_with('#')) return true;
    if (f[0] == "SET" && f.size() >= 2) {
      if (f[1] == "UTF-8") utf8 = true;
      else if (f[1] == "ISO8859-2") utf8 = false;
      else {
        error = At(number, "unknown encoding " + std::string(f[1]));
        return ok = false;
      }
    } else if (f[0] == "FLAG") {
      error = At(number, "only one-character flags are read, not FLAG " + (f.size() > 1 ? std::string(f[1]) : ""));
      return ok = false;
    } else if (f[0] == "SFX") {
      if (f.size() < 4) {
        error = At(number, "a suffix line needs at least four fields");
        return ok = false;
      }
      const std::wstring flag = Decode(f[1], utf8);
      if (flag.size() != 1) {
        error = At(number, "a flag is one character");
        return ok = false;
      }
      if (f.size() == 4 && (f[2] == "Y" || f[2] == "N")) return true;  // the class's header
      SuffixRule rule;
      const std::string_view add = f[3].substr(0, f[3].find('/'));  // continuation flags unused
      if (f[2] != "0") rule.strip = Decode(f[2], utf8);
      if (add != "0") rule.add = Decode(add, utf8);
      if (!ParseCondition(f.size() > 4 ? Decode(f[4], utf8) : std::wstring(L"."), rule.condition)) {
        error = At(number, "unclosed [ in the condition");
        return ok = false;
      }
      source.suffixes[flag[0]].push_back(std::move(rule));
    }
    return true;
  });
  source.utf8 = utf8;
  return ok;
}

bool ReadWords(std::string_view dic, HunspellSource& source, std::string& error) {
  bool ok = true;
  ForEachLine(dic, [&](std::string_view line, size_t number) {
    if (number == 1) {
      if (line.empty() || line.find_first_not_of("0123456789 \t") != std::string_view::npos) {
        error = At(number, "the word list starts with its count");
        return ok = false;
      }
      return true;
    }
    const std::vector<std::string_view> f = Fields(line);
    if (f.empty()) return true;
    const std::string_view entry = f[0];  // morphological fields after it are not used
    const size_t slash = entry.find('/');
    DictionaryWord word{Decode(entry.substr(0, slash), source.utf8),
                        slash == std::string_view::npos ? std::wstring() : Decode(entry.substr(slash + 1), source.utf8)};
    if (word.word.empty()) {
      error = At(number, "a word is empty");
      return ok = false;
    }
    source.words.push_back(std::move(word));
    return true;
  });
  return ok;
}

std::vector<std::wstring> Forms(const HunspellSource& source, const DictionaryWord& word) {
  std::vector<std::wstring> forms{word.word};
  for (const wchar_t flag : word.flags) {
    const auto rules = source.suffixes.find(flag);
    if (rules == source.suffixes.end()) continue;
    for (const SuffixRule& rule : rules->second) {
      if (!rule.Applies(word.word)) continue;
      std::wstring form = word.word.substr(0, word.word.size() - rule.strip.size()) + rule.add;
      if (!form.empty() && std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(std::move(form));
    }
  }
  return forms;
}

}  // namespace mowik::lexicon
