#include "soundformat/sound_file_writer.h"

#include <algorithm>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mowik {
namespace {

constexpr int kTagPcm = 1, kTagALaw = 6, kTagMuLaw = 7;

// Largest data size each header can state: the RIFF and data sizes are 32-bit (and the RIFF
// size also counts the header), the .au size is 32-bit with all ones meaning "unknown".
constexpr uint64_t kWaveDataLimit = 0xFFFFFFFFull - 64;
constexpr uint64_t kAuDataLimit = 0xFFFFFFFEull;

class Bytes {
 public:
  Bytes& Text(const char* four) {
    bytes_.insert(bytes_.end(), four, four + 4);
    return *this;
  }
  Bytes& Le(uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  Bytes& Be32(uint32_t value) {
    for (int i = 3; i >= 0; --i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  const std::vector<uint8_t>& data() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// 64-bit positions: a WAV may hold up to 4 GiB.
bool SeekEnd(std::FILE* file) {
#ifdef _WIN32
  return _fseeki64(file, 0, SEEK_END) == 0;
#else
  return fseeko(file, 0, SEEK_END) == 0;
#endif
}

uint64_t Tell(std::FILE* file) {
#ifdef _WIN32
  const int64_t at = _ftelli64(file);
#else
  const int64_t at = ftello(file);
#endif
  return at < 0 ? 0 : static_cast<uint64_t>(at);
}

void Truncate(std::FILE* file, uint64_t size) {
  std::fflush(file);
#ifdef _WIN32
  (void)_chsize_s(_fileno(file), static_cast<int64_t>(size));
#else
  (void)ftruncate(fileno(file), static_cast<off_t>(size));
#endif
}

}  // namespace

SoundFileWriter::~SoundFileWriter() { Close(); }

bool SoundFileWriter::Create(const std::string& path, SoundFileType type) {
  if (file_ || path.empty()) return false;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  path_ = path;
  type_ = type;
  rate_ = bits_ = channels_ = tag_ = 0;
  dataBytes_ = 0;
  failed_ = false;
  headerWritten_ = false;
  return true;
}

bool SoundFileWriter::SetFormat(int rate, int bits, int channels, int tag) {
  if (!file_ || headerWritten_) return false;
  if (rate < 1 || rate > 1000000 || channels < 1 || channels > 2) return false;
  const bool linear = tag == kTagPcm && bits == 16;
  const bool g711 = (tag == kTagALaw || tag == kTagMuLaw) && bits == 8;
  if (!linear && !g711) return false;
  rate_ = rate;
  bits_ = bits;
  channels_ = channels;
  tag_ = tag;
  return true;  // the header is written with the first samples, when it can no longer change
}

uint64_t SoundFileWriter::HeaderBytes() const {
  if (type_ == SoundFileType::kWave) return tag_ == kTagPcm ? 44 : 58;
  return type_ == SoundFileType::kSunAu ? 32 : 0;
}

void SoundFileWriter::MatchHeaderToDisk() {
  // Opened unbuffered-fresh, so that what it sees is what the disk holds.
  file_ = std::fopen(path_.c_str(), "r+b");
  if (!file_) return;
  if (SeekEnd(file_)) {
    const uint64_t size = Tell(file_);
    const uint64_t header = HeaderBytes();
    const uint64_t blockAlign = static_cast<uint64_t>(channels_ * bits_ / 8);
    uint64_t data = size > header ? size - header : 0;
    data -= data % blockAlign;
    // A WAV's odd data needs a pad byte that the full disk may refuse: one sample fewer instead.
    if (type_ == SoundFileType::kWave && (data & 1)) --data;
    dataBytes_ = data;
    // Cutting a file and rewriting its header in place need no new room on the disk.
    if (size > header + data) Truncate(file_, header + data);
    if (header != 0) WriteHeader(true);
  }
  std::fclose(file_);
  file_ = nullptr;
}

bool SoundFileWriter::WriteHeader(bool final) {
  Bytes header;
  const uint32_t blockAlign = static_cast<uint32_t>(channels_ * bits_ / 8);
  const uint32_t data = static_cast<uint32_t>(dataBytes_);
  if (type_ == SoundFileType::kWave) {
    const bool pcm = tag_ == kTagPcm;
    const uint32_t pad = data & 1;  // chunks are word aligned
    // PCM has the 16-byte format chunk; A-law and mu-law add cbSize and the fact chunk.
    const uint32_t headerBytes = pcm ? 44 : 58;
    header.Text("RIFF").Le(headerBytes - 8 + data + pad, 4).Text("WAVE");
    header.Text("fmt ").Le(pcm ? 16 : 18, 4).Le(static_cast<uint32_t>(tag_), 2);
    header.Le(static_cast<uint32_t>(channels_), 2).Le(static_cast<uint32_t>(rate_), 4);
    header.Le(static_cast<uint32_t>(rate_) * blockAlign, 4).Le(blockAlign, 2);
    header.Le(static_cast<uint32_t>(bits_), 2);
    if (!pcm) header.Le(0, 2).Text("fact").Le(4, 4).Le(data / blockAlign, 4);
    header.Text("data").Le(data, 4);
  } else if (type_ == SoundFileType::kSunAu) {
    const uint32_t encoding = tag_ == kTagPcm ? 3 : tag_ == kTagALaw ? 27 : 1;
    // Until the file is closed its size is "unknown", which readers accept.
    // A 32-byte header: the six fields and an empty (zero) annotation, which readers expect
    // to be there.
    header.Text(".snd").Be32(32).Be32(final ? data : 0xFFFFFFFFu);
    header.Be32(encoding).Be32(static_cast<uint32_t>(rate_)).Be32(static_cast<uint32_t>(channels_));
    header.Be32(0).Be32(0);
  }
  if (header.data().empty()) return true;
  if (std::fseek(file_, 0, SEEK_SET) != 0 ||
      std::fwrite(header.data().data(), 1, header.data().size(), file_) != header.data().size() ||
      std::fseek(file_, 0, SEEK_END) != 0) {
    failed_ = true;
    return false;
  }
  return true;
}

long SoundFileWriter::Write(const void* data, int bytesPerSample, long count) {
  if (!Ready() || failed_ || bytesPerSample != bits_ / 8 || count < 0 || (count > 0 && !data))
    return -1;
  const uint64_t limit = type_ == SoundFileType::kWave    ? kWaveDataLimit
                         : type_ == SoundFileType::kSunAu ? kAuDataLimit
                                                          : UINT64_MAX;
  const uint64_t room = (limit - std::min(limit, dataBytes_)) / static_cast<uint64_t>(bytesPerSample);
  const long take = static_cast<long>(std::min<uint64_t>(static_cast<uint64_t>(count), room));
  if (take == 0 && count > 0) return -1;
  if (!headerWritten_ && !(headerWritten_ = WriteHeader(false))) return -1;

  const uint8_t* in = static_cast<const uint8_t*>(data);
  const bool bigEndian = type_ == SoundFileType::kSunAu;
  uint8_t out[8192];
  for (long done = 0; done < take;) {
    const long n = std::min<long>(take - done, static_cast<long>(sizeof out) / bytesPerSample);
    if (bytesPerSample == 1) {
      std::copy(in + done, in + done + n, out);
    } else {
      for (long i = 0; i < n; ++i) {
        int16_t sample;
        std::copy(in + 2 * (done + i), in + 2 * (done + i) + 2, reinterpret_cast<uint8_t*>(&sample));
        const uint16_t bits = static_cast<uint16_t>(sample);
        out[2 * i + (bigEndian ? 1 : 0)] = static_cast<uint8_t>(bits);
        out[2 * i + (bigEndian ? 0 : 1)] = static_cast<uint8_t>(bits >> 8);
      }
    }
    const size_t bytes = static_cast<size_t>(n) * static_cast<size_t>(bytesPerSample);
    const size_t written = std::fwrite(out, 1, bytes, file_);
    dataBytes_ += written;
    if (written != bytes) {
      failed_ = true;
      return -1;
    }
    done += n;
  }
  return take;
}

bool SoundFileWriter::Close() {
  if (!file_) return !failed_;
  if (bits_ != 0) {
    if (type_ == SoundFileType::kWave && (dataBytes_ & 1) && std::fputc(0, file_) == EOF)
      failed_ = true;
    // The header is completed even after a failed write, for the data that did reach the file.
    if (!WriteHeader(true)) failed_ = true;
  }
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (failed_ && bits_ != 0) MatchHeaderToDisk();
  bits_ = 0;
  return !failed_;
}

}  // namespace mowik
