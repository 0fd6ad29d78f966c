#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace mowik {

// The audio library's three file types.
enum class SoundFileType {
  kWave = 0,  // RIFF WAVE: 16-bit PCM (tag 1), 8-bit A-law (tag 6) or mu-law (tag 7)
  kSunAu = 1,  // Sun/NeXT .au, big-endian: 16-bit linear, A-law or mu-law
  kRaw = 2,  // the bare samples: 16-bit little-endian, or the 8-bit A-law or mu-law bytes
};

// Writes one sound file. The header is written before the first samples and completed with
// the real sizes when the file is closed, so a closed file describes exactly the data it holds:
// after a write error (a full disk) too, when the header states what did reach the disk.
class SoundFileWriter {
 public:
  SoundFileWriter() = default;
  ~SoundFileWriter();  // closes the file as Close does
  SoundFileWriter(const SoundFileWriter&) = delete;
  SoundFileWriter& operator=(const SoundFileWriter&) = delete;

  // Creates the file (replacing one of that name); false when it cannot be created or the
  // writer is already open.
  bool Create(const std::string& path, SoundFileType type);

  // Sets the sample format: rate 1 to 1,000,000 per second, 1 or 2 channels, and format tag
  // 1 with 16 bits, or tag 6 (A-law) or 7 (mu-law) with 8 bits. False, changing nothing, for
  // anything else, before Create, or once samples were written.
  bool SetFormat(int rate, int bits, int channels, int tag);

  // Appends count samples of bytesPerSample bytes each (host byte order for 16-bit samples).
  // Returns the number taken: count, or fewer when the file's size fields are full, or -1
  // when nothing can be taken (no format, a size not matching the format, a write error, a
  // full file).
  long Write(const void* data, int bytesPerSample, long count);

  // Completes the header and closes the file; false when any write failed. After a failed
  // write the file is cut to the whole samples on the disk and the header says so. Idempotent.
  bool Close();

  // The format bits are settled and the file is open.
  bool Ready() const { return file_ != nullptr && bits_ != 0; }

 private:
  // Writes the header at the start of the file; final puts in the sizes of the data written.
  bool WriteHeader(bool final);
  // The header's size in bytes for the type and format.
  uint64_t HeaderBytes() const;
  // After a failed write, once the stream is closed: cuts the file to the whole samples that
  // reached the disk (stdio may have lost a buffer that it had counted as written) and puts
  // their size in the header.
  void MatchHeaderToDisk();

  std::FILE* file_ = nullptr;
  std::string path_;
  SoundFileType type_ = SoundFileType::kRaw;
  int rate_ = 0, bits_ = 0, channels_ = 0, tag_ = 0;
  uint64_t dataBytes_ = 0;
  bool failed_ = false;
  bool headerWritten_ = false;
};

}  // namespace mowik
