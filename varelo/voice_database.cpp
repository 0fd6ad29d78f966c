#include "varelo/voice_database.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>

#include "varelo/crc32.h"
#include "varelo/mapped_file.h"

namespace mowik {
namespace {

// Sanity limits: far above any real voice, low enough that a damaged count cannot make the
// loader allocate gigabytes.
constexpr uint32_t kMaxSymbols = 255;
constexpr uint32_t kMaxInfo = 64;
constexpr uint32_t kMaxSamples = 1u << 28;
constexpr uint32_t kMaxMarks = 1u << 24;
constexpr uint32_t kMinRate = 4000;
constexpr uint32_t kMaxRate = 192000;
constexpr size_t kHeaderSize = 40;
constexpr size_t kDiphoneSize = 32;

class Writer {
 public:
  void U8(uint8_t v) { bytes.push_back(v); }
  void U16(uint16_t v) { U8(v & 0xFF); U8(v >> 8); }
  void U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
  void Text(std::string_view s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
  std::vector<uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> b) : bytes_(b) {}
  bool Has(size_t n) const { return bytes_.size() - pos_ >= n; }
  uint8_t U8() { return bytes_[pos_++]; }
  uint16_t U16() { uint16_t lo = U8(); return static_cast<uint16_t>(lo | U8() << 8); }
  uint32_t U32() { uint32_t lo = U16(); return lo | static_cast<uint32_t>(U16()) << 16; }
  std::string Text(size_t n) {
    std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
    pos_ += n;
    return s;
  }
  size_t Position() const { return pos_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

bool ValidSymbol(const std::string& s) {
  if (s.empty() || s.size() > 7) return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return c > ' ' && c < 127; });
}

bool Fail(std::string& error, std::string text) {
  error = "not a usable voice database: " + std::move(text);
  return false;
}

bool CheckDiphone(const VoiceDatabase& v, const Diphone& d, std::string& error) {
  const size_t n = v.symbols.size();
  const size_t samples = v.Samples().size();
  if (d.left >= n || d.right >= n) return Fail(error, "a diphone names an unknown symbol");
  if (d.sampleCount == 0 || d.firstSample > samples || d.sampleCount > samples - d.firstSample)
    return Fail(error, "a diphone's samples lie outside the file");
  if (!(d.start <= d.boundary && d.boundary <= d.end && d.end < d.sampleCount))
    return Fail(error, "a diphone's phone boundaries are out of order");
  if (d.markCount == 0 || d.firstMark > v.marks.size() ||
      d.markCount > v.marks.size() - d.firstMark)
    return Fail(error, "a diphone's pitch marks lie outside the file");
  uint32_t previous = 0;
  for (uint32_t i = 0; i < d.markCount; ++i) {
    const uint32_t m = d.Mark(v.marks, i);
    if (m >= d.sampleCount || (i > 0 && m <= previous))
      return Fail(error, "a diphone's pitch marks are out of order or outside it");
    previous = m;
  }
  return true;
}

uint32_t Load32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Where the parts of a file lie; bytes are counted from the file's start.
struct Layout {
  uint32_t version = 0;
  size_t samplesAt = 0;
  uint32_t sampleCount = 0;
  size_t tableAt = 0;     // version 3: the block checksums, then the checksum of the head
  uint32_t blocks = 0;
};

uint32_t BlockCount(size_t samples) { return static_cast<uint32_t>((samples + kSampleBlock - 1) / kSampleBlock); }

// Everything before the samples: 16-byte alignment makes them usable in place when mapped.
size_t SamplesStart(size_t afterMarks, uint32_t version) {
  return version >= 3 ? (afterMarks + 15) / 16 * 16 : afterMarks;
}

// Reads the header, symbols, texts, diphones and marks of body (the file without its final
// checksum) into v and finds where the rest lies, checking every count and size.
bool ParseHead(std::span<const uint8_t> body, VoiceDatabase& v, Layout& layout, std::string& error) {
  Reader r(body);
  if (!r.Has(kHeaderSize)) return Fail(error, "it is cut short");
  r.Text(8);
  const uint32_t version = r.U32();
  if (version < 1 || version > kVoiceVersion)
    return Fail(error, "format version " + std::to_string(version) + " is not supported");
  const uint32_t maxTakes = version == 1 ? 1 : kMaxTakes;
  v.sampleRate = r.U32();
  v.pitchCentiHz = r.U32();
  const uint32_t symbolCount = r.U32(), infoCount = r.U32(), diphoneCount = r.U32();
  const uint32_t markCount = r.U32(), sampleCount = r.U32();
  if (v.sampleRate < kMinRate || v.sampleRate > kMaxRate)
    return Fail(error, "its sample rate is out of range");
  if (v.pitchCentiHz < 2000 || v.pitchCentiHz > 100000)
    return Fail(error, "its recorded pitch is out of range");
  if (symbolCount == 0 || symbolCount > kMaxSymbols || infoCount > kMaxInfo ||
      diphoneCount > maxTakes * symbolCount * symbolCount || markCount > kMaxMarks ||
      sampleCount > kMaxSamples)
    return Fail(error, "its counts are out of range");

  v.symbols.clear();
  for (uint32_t i = 0; i < symbolCount; ++i) {
    if (!r.Has(1)) return Fail(error, "it is cut short");
    const uint8_t n = r.U8();
    if (!r.Has(n)) return Fail(error, "it is cut short");
    v.symbols.push_back(r.Text(n));
    if (!ValidSymbol(v.symbols.back())) return Fail(error, "a phoneme symbol is malformed");
  }
  v.info.clear();
  for (uint32_t i = 0; i < infoCount; ++i) {
    if (!r.Has(2)) return Fail(error, "it is cut short");
    const uint16_t n = r.U16();
    if (!r.Has(n)) return Fail(error, "it is cut short");
    v.info.push_back(r.Text(n));
  }
  layout.version = version;
  layout.sampleCount = sampleCount;
  const size_t afterMarks = r.Position() + size_t{diphoneCount} * kDiphoneSize + size_t{markCount} * 4;
  layout.samplesAt = SamplesStart(afterMarks, version);
  layout.tableAt = layout.samplesAt + size_t{sampleCount} * 2;
  layout.blocks = version >= 3 ? BlockCount(sampleCount) : 0;
  const size_t end = layout.tableAt + (version >= 3 ? size_t{layout.blocks} * 4 + 4 : 0);
  if (end != body.size()) return Fail(error, "its size does not match its counts");
  v.diphones.resize(diphoneCount);
  for (Diphone& d : v.diphones) {
    d.left = r.U16();
    d.right = r.U16();
    for (uint32_t* x : {&d.firstSample, &d.sampleCount, &d.start, &d.boundary, &d.end,
                        &d.firstMark, &d.markCount})
      *x = r.U32();
  }
  // The bulk of the head, decoded in a plain loop: megabytes, also in unoptimised builds.
  const uint8_t* p = body.data() + r.Position();
  v.marks.resize(markCount);
  for (uint32_t& m : v.marks) {
    m = Load32(p);
    p += 4;
  }
  return true;
}

// What the samples do not decide: unique symbols, the silence, and every diphone in place.
bool CheckStructure(VoiceDatabase& v, uint32_t version, std::string& error) {
  const uint32_t maxTakes = version == 1 ? 1 : kMaxTakes;
  for (size_t i = 0; i < v.symbols.size(); ++i)
    for (size_t k = 0; k < i; ++k)
      if (v.symbols[i] == v.symbols[k]) return Fail(error, "a phoneme symbol appears twice");
  if (v.SymbolIndex(kSilenceSymbol) < 0) return Fail(error, "it has no silence symbol");
  v.Index();
  for (size_t i = 0; i < v.diphones.size(); ++i) {
    const Diphone& d = v.diphones[i];
    if (!CheckDiphone(v, d, error)) return false;
    // The takes of a pair lie side by side, no more of them than the version allows.
    const std::span<const Diphone> takes = v.Takes(d.left, d.right);
    if (&d < takes.data() || &d >= takes.data() + takes.size())
      return Fail(error, version == 1 ? "a diphone appears twice" : "the takes of a diphone are not side by side");
    if (takes.size() > maxTakes)
      return Fail(error, version == 1 ? "a diphone appears twice" : "a diphone has too many takes");
  }
  return true;
}

// Version 3: the checksum after the block checksums covers the head (every byte before the
// samples) and the block checksums themselves.
bool HeadSound(std::span<const uint8_t> body, const Layout& layout) {
  const size_t table = size_t{layout.blocks} * 4;
  const uint32_t crc = Crc32(body.data() + layout.tableAt, table, Crc32(body.data(), layout.samplesAt));
  return crc == Load32(body.data() + layout.tableAt + table);
}

uint32_t BlockCrc(std::span<const uint8_t> sampleBytes, uint32_t block) {
  const size_t from = size_t{block} * kSampleBlock * 2;
  return Crc32(sampleBytes.data() + from, std::min(sampleBytes.size() - from, size_t{kSampleBlock} * 2));
}

}  // namespace

// The samples of a mapped version 3 file and what is known of their blocks.
struct MappedSamples {
  std::unique_ptr<MappedFile> file;
  std::span<const int16_t> samples;
  std::vector<uint32_t> crcs;                   // the file's checksum of each block
  std::unique_ptr<std::atomic<uint8_t>[]> state;  // per block: kUnchecked, kSound or kDamaged
  static constexpr uint8_t kUnchecked = 0, kSound = 1, kDamaged = 2;
};

std::span<const int16_t> VoiceDatabase::Samples() const {
  return mapped_ ? mapped_->samples : std::span<const int16_t>(samples);
}

bool VoiceDatabase::SamplesSound(const Diphone& d) const {
  if (!mapped_ || d.sampleCount == 0) return true;
  const MappedSamples& m = *mapped_;
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(m.samples.data()), m.samples.size() * 2);
  const uint32_t last = (d.firstSample + d.sampleCount - 1) / kSampleBlock;
  for (uint32_t block = d.firstSample / kSampleBlock; block <= last; ++block) {
    uint8_t state = m.state[block].load(std::memory_order_acquire);
    if (state == MappedSamples::kUnchecked) {
      // Two threads may check one block at once: both find the same.
      state = BlockCrc(bytes, block) == m.crcs[block] ? MappedSamples::kSound : MappedSamples::kDamaged;
      m.state[block].store(state, std::memory_order_release);
    }
    if (state == MappedSamples::kDamaged) return false;
  }
  return true;
}

int VoiceDatabase::SymbolIndex(std::string_view symbol) const {
  for (size_t i = 0; i < symbols.size(); ++i)
    if (symbols[i] == symbol) return static_cast<int>(i);
  return -1;
}

const Diphone* VoiceDatabase::Find(int left, int right) const {
  const size_t n = symbols.size();
  if (left < 0 || right < 0 || static_cast<size_t>(left) >= n || static_cast<size_t>(right) >= n ||
      pairs_.size() != n * n)
    return nullptr;
  const int32_t i = pairs_[static_cast<size_t>(left) * n + static_cast<size_t>(right)];
  return i < 0 ? nullptr : &diphones[static_cast<size_t>(i)];
}

std::span<const Diphone> VoiceDatabase::Takes(int left, int right) const {
  const Diphone* first = Find(left, right);
  if (!first) return {};
  const Diphone* end = first + 1;
  while (end != diphones.data() + diphones.size() && end->left == first->left && end->right == first->right) ++end;
  return {first, end};
}

void VoiceDatabase::Index() {
  silence_ = SymbolIndex(kSilenceSymbol);
  const size_t n = symbols.size();
  pairs_.assign(n * n, -1);
  for (size_t i = diphones.size(); i-- > 0;) {  // the first take of a pair wins
    const Diphone& d = diphones[i];
    if (d.left < n && d.right < n) pairs_[d.left * n + d.right] = static_cast<int32_t>(i);
  }
}

std::vector<uint8_t> SerializeVoice(const VoiceDatabase& v, uint32_t version) {
  version = std::clamp<uint32_t>(version, 1, kVoiceVersion);
  const std::span<const int16_t> samples = v.Samples();
  Writer w;
  w.Text(std::string_view(kVoiceMagic, sizeof kVoiceMagic));
  w.U32(version);
  w.U32(v.sampleRate);
  w.U32(v.pitchCentiHz);
  w.U32(static_cast<uint32_t>(v.symbols.size()));
  w.U32(static_cast<uint32_t>(v.info.size()));
  w.U32(static_cast<uint32_t>(v.diphones.size()));
  w.U32(static_cast<uint32_t>(v.marks.size()));
  w.U32(static_cast<uint32_t>(samples.size()));
  for (const std::string& s : v.symbols) {
    w.U8(static_cast<uint8_t>(s.size()));
    w.Text(s);
  }
  for (const std::string& s : v.info) {
    w.U16(static_cast<uint16_t>(s.size()));
    w.Text(s);
  }
  for (const Diphone& d : v.diphones) {
    w.U16(d.left);
    w.U16(d.right);
    for (uint32_t x : {d.firstSample, d.sampleCount, d.start, d.boundary, d.end, d.firstMark,
                       d.markCount})
      w.U32(x);
  }
  for (uint32_t m : v.marks) w.U32(m);
  const size_t samplesAt = SamplesStart(w.bytes.size(), version);
  w.bytes.resize(samplesAt, 0);
  for (int16_t s : samples) w.U16(static_cast<uint16_t>(s));
  if (version >= 3) {
    const std::span<const uint8_t> sampleBytes(w.bytes.data() + samplesAt, samples.size() * 2);
    std::vector<uint32_t> crcs;
    for (uint32_t b = 0; b < BlockCount(samples.size()); ++b) crcs.push_back(BlockCrc(sampleBytes, b));
    const size_t tableAt = w.bytes.size();
    for (uint32_t crc : crcs) w.U32(crc);
    w.U32(Crc32(w.bytes.data() + tableAt, crcs.size() * 4, Crc32(w.bytes.data(), samplesAt)));
  }
  w.U32(Crc32(w.bytes.data(), w.bytes.size()));
  return std::move(w.bytes);
}

bool ParseVoice(std::span<const uint8_t> bytes, VoiceDatabase& v, std::string& error) {
  if (bytes.size() < kHeaderSize + 4 || std::memcmp(bytes.data(), kVoiceMagic, 8) != 0)
    return Fail(error, "it does not start with the voice file's magic");
  const std::span<const uint8_t> body = bytes.first(bytes.size() - 4);
  if (Crc32(body.data(), body.size()) != Load32(body.data() + body.size()))
    return Fail(error, "its checksum does not match (the file is damaged)");
  Layout layout;
  if (!ParseHead(body, v, layout, error)) return false;
  v.mapped_.reset();
  v.samples.resize(layout.sampleCount);
  const uint8_t* p = body.data() + layout.samplesAt;
  for (int16_t& s : v.samples) {
    s = static_cast<int16_t>(p[0] | p[1] << 8);
    p += 2;
  }
  if (!CheckStructure(v, layout.version, error)) return false;
  if (layout.version >= 3) {
    // A file written whole must agree with itself: every block's checksum, and the head's.
    const std::span<const uint8_t> sampleBytes = body.subspan(layout.samplesAt, size_t{layout.sampleCount} * 2);
    for (uint32_t b = 0; b < layout.blocks; ++b)
      if (BlockCrc(sampleBytes, b) != Load32(body.data() + layout.tableAt + 4 * size_t{b}))
        return Fail(error, "a block of its samples does not match its checksum (the file is damaged)");
    if (!HeadSound(body, layout)) return Fail(error, "its head does not match its checksum (the file is damaged)");
  }
  return true;
}

bool LoadVoiceFile(const std::string& path, VoiceDatabase& voice, std::string& error) {
  // Nothing near a gigabyte is a voice; refuse before mapping.
  std::string why;
  std::unique_ptr<MappedFile> file = MappedFile::Open(path, size_t{1} << 30, why);
  if (!file) {
    error = "cannot open the voice database " + path + " (" + why + ")";
    return false;
  }
  const std::span<const uint8_t> bytes = file->Bytes();
  const bool mappable = std::endian::native == std::endian::little && bytes.size() >= kHeaderSize + 4 &&
                        std::memcmp(bytes.data(), kVoiceMagic, 8) == 0 && Load32(bytes.data() + 8) >= 3;
  if (!mappable) {
    // An older version, or a host whose byte order differs from the file's: read it whole.
    if (!ParseVoice(bytes, voice, error)) {
      error = path + " is " + error;
      return false;
    }
    return true;
  }
  // The file's last checksum covers the samples too: it is left for a whole read to check.
  const std::span<const uint8_t> body = bytes.first(bytes.size() - 4);
  Layout layout;
  if (!ParseHead(body, voice, layout, error) ||
      (!HeadSound(body, layout) && !Fail(error, "its head does not match its checksum (the file is damaged)"))) {
    error = path + " is " + error;
    return false;
  }
  auto mapped = std::make_shared<MappedSamples>();
  mapped->samples = {reinterpret_cast<const int16_t*>(body.data() + layout.samplesAt), layout.sampleCount};
  for (uint32_t b = 0; b < layout.blocks; ++b) mapped->crcs.push_back(Load32(body.data() + layout.tableAt + 4 * size_t{b}));
  mapped->state = std::make_unique<std::atomic<uint8_t>[]>(layout.blocks);
  mapped->file = std::move(file);
  voice.samples.clear();
  voice.mapped_ = std::move(mapped);
  if (!CheckStructure(voice, layout.version, error)) {
    voice.mapped_.reset();
    error = path + " is " + error;
    return false;
  }
  return true;
}

}  // namespace mowik
