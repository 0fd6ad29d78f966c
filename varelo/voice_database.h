#pragma once
// A diphone voice: the phoneme symbols it speaks, and for every ordered pair of them a stretch
// of recorded sound from the middle of the first phone to the middle of the second (a phone's
// "middle" is where its diphones meet: its steadiest point, not always halfway), with the
// pitch marks that PSOLA cuts its grains at. A pair may have more than one take, recorded at
// different paces, so that a phone is spoken from the take nearest its length. Its file form is
// described in FORMAT.md.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mowik {

// The voice file's fixed facts.
constexpr char kVoiceMagic[8] = {'V', 'A', 'R', 'E', 'L', 'O', 'V', 'C'};
// Version 2 lets a pair have up to kMaxTakes takes; version 3 adds a checksum for every block
// of kSampleBlock samples, so that a voice file can be mapped and each block checked when it
// is first spoken. Version 1 (one take a pair) and 2 files still load.
constexpr uint32_t kVoiceVersion = 3;
constexpr uint32_t kMaxTakes = 2;
constexpr uint32_t kSampleBlock = 4096;  // 8 KiB: two pages
// Bit of a mark word that says the period around the mark is voiced; the rest is its position.
constexpr uint32_t kMarkVoiced = 0x80000000u;
// The silence symbol; every voice has it.
constexpr std::string_view kSilenceSymbol = "_";

struct Diphone {
  uint16_t left = 0;          // symbol index of the first phone
  uint16_t right = 0;         // symbol index of the second phone
  uint32_t firstSample = 0;   // into VoiceDatabase::samples
  uint32_t sampleCount = 0;   // the stored stretch, a margin on both sides included
  uint32_t start = 0;         // middle (cut point) of the first phone, relative to firstSample
  uint32_t boundary = 0;      // where the second phone begins; start <= boundary <= end
  uint32_t end = 0;           // middle (cut point) of the second phone; end < sampleCount
  uint32_t firstMark = 0;     // into VoiceDatabase::marks
  uint32_t markCount = 0;     // at least one; positions relative to firstSample, increasing

  uint32_t Mark(const std::vector<uint32_t>& marks, uint32_t i) const {
    return marks[firstMark + i] & ~kMarkVoiced;
  }
};

struct MappedSamples;

struct VoiceDatabase {
  uint32_t sampleRate = 16000;
  uint32_t pitchCentiHz = 12560;     // the speaker's flat recorded pitch, in 1/100 Hz
  std::vector<std::string> symbols;  // 1 to 7 printable ASCII characters, no blanks, unique
  std::vector<std::string> info;     // "key: value" lines: name, language, source, build
  std::vector<Diphone> diphones;
  std::vector<uint32_t> marks;       // position | kMarkVoiced
  std::vector<int16_t> samples;      // of a voice built or read whole; empty when mapped

  // The samples the diphones index: `samples`, or those of the mapped file.
  std::span<const int16_t> Samples() const;
  // Whether d's samples may be spoken. Always, but in a mapped voice, whose blocks are checked
  // against their checksums the first time a diphone in them is asked for (from any thread);
  // a block that fails stays refused.
  bool SamplesSound(const Diphone& d) const;

  // Index of a symbol, or -1.
  int SymbolIndex(std::string_view symbol) const;
  int SilenceIndex() const { return silence_; }
  // The (first) diphone of a pair of symbol indexes, or null when the voice lacks it.
  const Diphone* Find(int left, int right) const;
  // Every take of a pair, slowest first (adjacent in diphones); empty when the voice lacks it.
  std::span<const Diphone> Takes(int left, int right) const;
  // Rebuilds the symbol and pair look-ups; the parser calls it, a builder must too.
  void Index();

 private:
  friend bool ParseVoice(std::span<const uint8_t> bytes, VoiceDatabase& voice, std::string& error);
  friend bool LoadVoiceFile(const std::string& path, VoiceDatabase& voice, std::string& error);
  int silence_ = -1;
  std::vector<int32_t> pairs_;  // symbols² entries: diphone index or -1
  std::shared_ptr<const MappedSamples> mapped_;
};

// The file form of a voice, checksums included, in the given format version (1 to
// kVoiceVersion; 1 holds one take a pair).
std::vector<uint8_t> SerializeVoice(const VoiceDatabase& voice, uint32_t version = kVoiceVersion);

// Reads a voice from its file form into memory, checking everything: on failure returns false
// with a sentence saying what is wrong, and leaves voice unspecified.
bool ParseVoice(std::span<const uint8_t> bytes, VoiceDatabase& voice, std::string& error);

// Reads a voice file. A version 3 file is mapped read-only: everything but the samples is read
// and checked at once, each block of samples when first spoken (SamplesSound), so only the
// diphones spoken are ever read from disk. Older versions are read whole.
bool LoadVoiceFile(const std::string& path, VoiceDatabase& voice, std::string& error);

}  // namespace mowik
