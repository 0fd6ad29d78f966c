#include "mowik/verbalise/natural/compact_lexicon.h"

#include <algorithm>

#include "mowik/verbalise/natural/utf8_bytes.h"

namespace mowik {
namespace {

constexpr std::string_view kMagic = "MOWIKNL1";

// UTF-8 to wide text; false on anything but well-formed text of the BMP.
bool DecodeText(std::string_view bytes, std::wstring& out) {
  out.clear();
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    uint32_t code = length == 1 ? c : length == 2 ? c & 0x1f : c & 0x0f;
    for (int k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next >> 6) != 2) return false;
      code = (code << 6) | (next & 0x3f);
    }
    out.push_back(static_cast<wchar_t>(code));
    i += length;
  }
  return true;
}

// Wide text of the BMP to UTF-8; false for what the lexicon cannot hold (a surrogate).
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Byte(uint8_t& v) {
    if (at_ >= bytes_.size()) return false;
    v = static_cast<uint8_t>(bytes_[at_++]);
    return true;
  }
  bool U16(uint16_t& v) {
    uint8_t lo, hi;
    if (!Byte(lo) || !Byte(hi)) return false;
    v = static_cast<uint16_t>(lo | hi << 8);
    return true;
  }
  bool U32(uint32_t& v) {
    uint16_t lo, hi;
    if (!U16(lo) || !U16(hi)) return false;
    v = lo | static_cast<uint32_t>(hi) << 16;
    return true;
  }
  bool Bytes(size_t n, std::string_view& v) {
    if (n > bytes_.size() - at_) return false;
    v = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }
  bool Text(std::wstring& v) {
    uint8_t n;
    std::string_view raw;
    return Byte(n) && Bytes(n, raw) && DecodeText(raw, v);
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

}  // namespace

std::optional<CompactLexicon> CompactLexicon::Decode(std::string_view bytes) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  Reader in(bytes.substr(kMagic.size()));
  CompactLexicon lexicon;
  uint16_t paradigmCount;
  if (!in.U16(paradigmCount)) return std::nullopt;
  lexicon.paradigms_.resize(paradigmCount);
  for (uint16_t p = 0; p < paradigmCount; ++p) {
    Paradigm& paradigm = lexicon.paradigms_[p];
    uint8_t gender, count;
    if (!in.Byte(gender) || gender > static_cast<uint8_t>(Gender::Neuter) || !in.Byte(count)) return std::nullopt;
    paradigm.gender = static_cast<Gender>(gender);
    paradigm.endings.resize(count);
    for (Ending& e : paradigm.endings) {
      if (!in.Text(e.strip) || !in.Text(e.add) || !in.U16(e.cases) || (e.cases & ~kAllCases) != 0) return std::nullopt;
      std::vector<Change>& changes = lexicon.changesByAdd_[e.add];
      auto change = std::find_if(changes.begin(), changes.end(), [&](const Change& c) { return c.strip == e.strip; });
      if (change == changes.end()) change = changes.insert(changes.end(), Change{e.strip, {}});
      if (change->paradigms.empty() || change->paradigms.back() != p) change->paradigms.push_back(p);
      lexicon.longestAdd_ = std::max(lexicon.longestAdd_, e.add.size());
    }
  }
  uint32_t lemmaCount;
  if (!in.U32(lemmaCount) || lemmaCount > bytes.size()) return std::nullopt;
  lexicon.lemmaStart_.reserve(lemmaCount + 1);
  lexicon.paradigmOf_.reserve(lemmaCount);
  std::string last, utf8;
  std::wstring lemma;
  for (uint32_t k = 0; k < lemmaCount; ++k) {
    uint8_t shared, restLength;
    std::string_view rest;
    uint16_t paradigm;
    if (!in.Byte(shared) || shared > last.size() || !in.Byte(restLength) || !in.Bytes(restLength, rest) ||
        !in.U16(paradigm) || paradigm >= paradigmCount)
      return std::nullopt;
    utf8 = last.substr(0, shared);
    utf8 += rest;
    if (utf8.empty() || utf8 < last || !DecodeText(utf8, lemma)) return std::nullopt;
    lexicon.lemmaStart_.push_back(static_cast<uint32_t>(lexicon.lemmaText_.size()));
    lexicon.lemmaText_ += utf8;
    lexicon.paradigmOf_.push_back(paradigm);
    last.swap(utf8);
  }
  lexicon.lemmaStart_.push_back(static_cast<uint32_t>(lexicon.lemmaText_.size()));
  if (!in.AtEnd()) return std::nullopt;
  return lexicon;
}

size_t CompactLexicon::MemoryBytes() const {
  size_t bytes = lemmaText_.capacity() + lemmaStart_.capacity() * sizeof(uint32_t) +
                 paradigmOf_.capacity() * sizeof(uint16_t);
  for (const Paradigm& p : paradigms_)
    for (const Ending& e : p.endings) bytes += sizeof(Ending) + (e.strip.size() + e.add.size()) * sizeof(wchar_t);
  for (const auto& [add, changes] : changesByAdd_)
    for (const Change& c : changes) bytes += sizeof(Change) + add.size() * sizeof(wchar_t) + c.paradigms.size() * 2;
  return bytes;
}

std::string_view CompactLexicon::Lemma(size_t k) const {
  return std::string_view(lemmaText_).substr(lemmaStart_[k], lemmaStart_[k + 1] - lemmaStart_[k]);
}

std::vector<CompactLexicon::Analysis> CompactLexicon::Analyse(std::wstring_view word) const {
  std::vector<Analysis> found;
  if (word.empty() || paradigmOf_.empty()) return found;
  std::wstring lemma;
  std::string utf8;
  for (size_t cut = 0; cut <= std::min(longestAdd_, word.size()); ++cut) {
    const auto changes = changesByAdd_.find(std::wstring(word.substr(word.size() - cut)));
    if (changes == changesByAdd_.end()) continue;
    for (const Change& change : changes->second) {
      lemma.assign(word.substr(0, word.size() - cut));
      lemma += change.strip;
      if (!EncodeUtf8(lemma, utf8)) continue;
      // The lemmas are sorted; homographs lie side by side.
      size_t lo = 0, hi = paradigmOf_.size();
      while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (Lemma(mid) < utf8) lo = mid + 1;
        else hi = mid;
      }
      for (size_t k = lo; k < paradigmOf_.size() && Lemma(k) == utf8; ++k) {
        const uint16_t p = paradigmOf_[k];
        if (!std::binary_search(change.paradigms.begin(), change.paradigms.end(), p)) continue;
        CaseSet cases = 0;
        for (const Ending& e : paradigms_[p].endings)
          if (e.add == changes->first && e.strip == change.strip) cases |= e.cases;
        const Gender gender = paradigms_[p].gender;
        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const Analysis& a) { return a.lemma == lemma && a.gender == gender; });
        if (same != found.end()) same->cases |= cases;
        else found.push_back({lemma, gender, cases});
      }
    }
  }
  std::sort(found.begin(), found.end(), [](const Analysis& a, const Analysis& b) {
    return a.lemma != b.lemma ? a.lemma < b.lemma : a.gender < b.gender;
  });
  return found;
}

}  // namespace mowik
