// mowik-say: Polish text from the command line or standard input through Mowik's pipeline.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "mowik/frontend/cls_stack_collection.h"
#include "mowik/frontend/speak_text.h"
#include "mowik/platform/current_options.h"
#include "mowik/program/main_module.h"
#include "mowik/output/player_reporter.h"
#include "mowik/program/random_between.h"
#include "mowik/output/sampa_player.h"
#include "mowik/program/table_model.h"
#include "mowik/program/version_text.h"
#include "mowik/verbalise/normalise_text.h"
#include "soundformat/sound_file_writer.h"
#include "tools/dictionary_file.h"
#include "tools/say_arguments.h"
#include "tools/speech_options.h"
#include "tools/utf8_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "mowik/output/vrlplay_library.h"
#include "win32/ansi_path.h"
#include "win32/ansi_text.h"
#else
#include "tools/native_speaker.h"
#endif
#ifdef MOWIK_ALSA
#include "tools/alsa_output.h"
#endif

namespace mowik {
namespace {

constexpr char kUsage[] =
    "usage: mowik-say [options] [text ...]\n"
    "Reads Polish text from the arguments (joined by blanks) or, when there are none, from\n"
    "standard input (at most 16 MiB), as UTF-8; a byte-order mark at its start is dropped.\n"
    "\n"
    "Without --phonemes, --normalise or --pieces it speaks the text: on Windows through\n"
    "vrlplay.dll (beside mowik-say.exe), on Linux on the ALSA device (default, or --device).\n"
    "\n"
    "  --phonemes       print the phoneme text the player receives (CR LF before every line)\n"
    "  --normalise      print the normalised text as UTF-8, exactly (no line end is added)\n"
    "  --pieces         print each piece and its intonation mode: piece<TAB>mode\n"
    "  --random R       use the draw R (0 <= R < 1) for every random choice of the prosody\n"
    "  --no-normalise   take the text as already normalised (the other modes normalise first)\n"
    "  --no-spell       do not spell capital words or read digit strings\n"
    "  --natural        read naturally: numbers agreeing with their nouns, dates, times,\n"
    "                   amounts, units, abbreviations and acronyms as a Polish speaker says them\n"
    "  --dict FILE      replacement dictionary: UTF-8 lines of find<TAB>replace\n"
    "  -o FILE          write the speech to FILE (.wav, .au or .raw) instead of playing it;\n"
    "                   -o - writes it to standard output (WAV unless --type says otherwise)\n"
    "  --type T         the file type, wav, au or raw, for a name that does not end in one\n"
    "  --alaw, --mulaw  with a WAV file: 8-bit G.711 at half the rate (telephony)\n"
    "  --pitch P        pitch in percent, 15 to 400 (default 100)\n"
    "  --duration D     duration in tenths, 3 to 18 (default 10)\n"
    "  --freq F         output frequency in Hz, 10000 to 30000 (default 16000)\n"
    "  --db ID          voice database (default pl1)\n"
    "  --device NAME    the ALSA device to speak on (Linux; default: default)\n"
    "  --help           show this text\n"
    "  --version        show the version\n"
    "  --               the rest of the arguments is text\n"
    "\n"
    "Exit status: 0 done, 1 the input, the output, the player or the memory failed, 2 the\n"
    "arguments are wrong.\n";

// Ends the run: caught in main, so that every open file is closed on the way out.
struct Failure {
  int status;
  std::string message;
};

Failure UsageError(std::string message) { return {2, std::move(message)}; }
Failure InputError(std::string message) { return {1, std::move(message)}; }

std::string ErrnoText() { return std::strerror(errno); }

// Reads up to kMaxInputBytes through read_some (bytes into a buffer, 0 at the end); more is
// refused rather than read until the memory runs out. failed tells a read error from the end.
template <typename ReadSome, typename Failed>
std::string ReadLimited(ReadSome read_some, Failed failed, const std::string& what) {
  std::string bytes;
  char buffer[1 << 16];
  while (const size_t got = read_some(buffer, sizeof buffer)) {
    if (bytes.size() + got > kMaxInputBytes)
      throw InputError(what + " holds more than 16 MiB, the most mowik-say reads: split the text");
    bytes.append(buffer, got);
  }
  // A read error (standard input from a folder) is not an empty text.
  if (failed()) throw InputError("cannot read " + what);
  return bytes;
}

std::string ReadStandardInput() {
  return ReadLimited([](char* buffer, size_t size) { return std::fread(buffer, 1, size, stdin); },
                     [] { return std::ferror(stdin) != 0; }, "standard input");
}

std::wstring DecodeOrFail(std::string_view bytes, const std::string& what) {
  size_t offset = 0;
  const std::string_view body = WithoutByteOrderMark(bytes);
  std::optional<std::wstring> text = DecodeUtf8(body, &offset);
  if (!text)
    throw InputError(what + " is not valid UTF-8 (bad byte at offset " +
                     std::to_string(offset + bytes.size() - body.size()) + ")");
  return std::move(*text);
}

std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void LoadDictionary(const std::string& path) {
  std::ifstream file(PathFromUtf8(path), std::ios::binary);
  if (!file) throw InputError("cannot read the dictionary " + path);
  // istream::read turns a failing read (a folder opens but cannot be read) into badbit.
  const std::string bytes = ReadLimited(
      [&](char* buffer, size_t size) {
        file.read(buffer, static_cast<std::streamsize>(size));
        return static_cast<size_t>(file.gcount());
      },
      [&] { return file.bad(); }, "the dictionary " + path);
  std::string error;
  std::optional<std::vector<DictionaryRow>> rows = ParseDictionary(bytes, error);
  if (!rows) throw InputError("the dictionary " + path + ": " + error);
  TableModel& dictionary = DictionaryTable();
  for (DictionaryRow& entry : *rows) {
    const int32_t row = dictionary.AddRow();
    dictionary.SetCellText(row, 1, std::move(entry.find));
    dictionary.SetCellText(row, 2, std::move(entry.replace));
  }
}

// Player errors go to standard error, each once: the player keeps its last error, so the
// bridge may fetch the same text for the calls after the one that failed. Any of them makes
// the exit status 1.
class StderrReporter : public PlayerReporter {
 public:
  void ShowPlayerError(const std::wstring& text) override {
    failed = true;
    if (text == last_) return;
    last_ = text;
    std::cerr << "mowik-say: " << EncodeUtf8(text) << "\n";
  }
  bool failed = false;

 private:
  std::wstring last_;
};

// Counts the utterances handed on that the players play (those with a line break).
class CountingSink : public PhonemeSink {
 public:
  explicit CountingSink(PhonemeSink& next) : next_(next) {}
  void PlaySampa(const std::string& phonemeText) override {
    if (phonemeText.find("\r\n") != std::string::npos) ++played;
    next_.PlaySampa(phonemeText);
  }
  int played = 0;

 private:
  PhonemeSink& next_;
};

// A file in the temporary folder, removed at the end: -o - speaks into it, then copies it out.
class ScratchFile {
 public:
  ScratchFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) throw InputError("no temporary folder for -o -: " + error.message());
    path_ = folder / ("mowik-say-" + std::to_string(std::random_device{}()) + "-" +
                      std::to_string(reinterpret_cast<uintptr_t>(this)) + ".snd");
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void FlushStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    throw InputError("cannot write standard output: " + ErrnoText());
}

void CopyToStandardOutput(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("cannot read back the speech for standard output");
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    if (std::fwrite(buffer, 1, static_cast<size_t>(in.gcount()), stdout) != static_cast<size_t>(in.gcount()))
      throw InputError("cannot write standard output: " + ErrnoText());
  FlushStandardOutput();
}

// A text with nothing to say still gives a sound file, of no samples, in the format a spoken
// one would have: the file is there and replaces an older one of that name.
void WriteEmptySoundFile(const std::string& path, int32_t flags) {
  const bool g711 = flags & (VRL_ALAW | VRL_MULAW);
  const SoundFileType type = flags & VRL_OUT_FILE_TYPE0   ? SoundFileType::kWave
                             : flags & VRL_OUT_FILE_TYPE1 ? SoundFileType::kSunAu
                                                     : SoundFileType::kRaw;
  SoundFileWriter writer;
  const bool written = writer.Create(path, type) &&
                       writer.SetFormat(g711 ? VoiceFreq / 2 : VoiceFreq, g711 ? 8 : 16, 1,
                                        !g711 ? 1 : (flags & VRL_ALAW) ? 6 : 7) &&
                       writer.Close();
  if (!written) throw InputError("cannot write " + path);
}

// Speaks text as Mowik does, with the voice and output the options give.
int Speak(std::wstring& text, const SpeechOptions& speech) {
  std::string error;
  const int32_t file_flags = FileOutputFlags(speech, error);
  if (!error.empty()) throw UsageError(error);
  ApplyVoiceProfile(speech.profile);
  DatabaseName = speech.database;
  std::optional<ScratchFile> scratch;
  if (speech.out_file == kStandardOutput) scratch.emplace();
  const std::string out_file = scratch ? Utf8FromPath(scratch->Path()) : speech.out_file;
  bool failed = false;
  int played = 0;
#ifdef _WIN32
  if (!speech.device.empty()) throw UsageError("--device names an ALSA device: this build plays through vrlplay.dll");
  StderrReporter reporter;
  VrlplayLibrary library(reporter);
  SampaPlayer bridge(library, reporter);
  const std::optional<std::wstring> wide_out = DecodeUtf8(out_file);
  std::wstring player_out = wide_out ? *wide_out : std::wstring();
  if (file_flags != 0) {
    // The player takes 8-bit names: one the code page cannot hold goes by its short name.
    const std::string ansi = win32::AnsiPathTo(player_out);
    if (ansi.empty())
      throw InputError("cannot write " + out_file +
                       ": its folder is missing, or its name has characters this system's code page lacks");
    player_out = win32::WideFromAnsi(ansi);
  }
  bridge.SetOutput(file_flags, player_out);
  CountingSink counter(bridge);
  SpeakText(text, CurrentNormaliseOptions(), counter);
  failed = reporter.failed;
  played = counter.played;
#else
#ifdef MOWIK_ALSA
  std::optional<AlsaOutput> device;
  if (file_flags == 0) device.emplace(speech.device);
  NativeSpeaker speaker = device ? NativeSpeaker(*device) : NativeSpeaker(file_flags, out_file);
#else
  if (file_flags == 0) throw UsageError("this build has no sound device: give -o FILE.wav, or use --phonemes");
  NativeSpeaker speaker(file_flags, out_file);
#endif
  CountingSink counter(speaker);
  SpeakText(text, CurrentNormaliseOptions(), counter);
  // The speaker has closed its file by now, with a header for what reached the disk.
  if (!speaker.Error().empty()) throw InputError(speaker.Error());
  played = counter.played;
#endif
  if (failed) return 1;
  if (file_flags != 0 && played == 0) WriteEmptySoundFile(out_file, file_flags);
  if (scratch) CopyToStandardOutput(scratch->Path());
  return 0;
}

class PrintingSink : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override {
    if (std::fwrite(phonemeText.data(), 1, phonemeText.size(), stdout) != phonemeText.size())
      throw InputError("cannot write standard output: " + ErrnoText());
  }
};

int Run(const std::vector<std::string>& args) {
  SayArguments options;
  const std::string usage_error = ParseSayArguments(args, options);
  if (!usage_error.empty()) throw UsageError(usage_error);
  if (options.action == SayAction::Help) {
    std::cout << kUsage << std::flush;
    return 0;
  }
  if (options.action == SayAction::Version) {
    std::cout << "mowik-say " << EncodeUtf8(VersionText(true)) << "\n" << std::flush;
    return 0;
  }
  if (!options.spell) SpellCapital = 0;
  if (options.natural) NaturalReading = 1;
  if (options.random_draw) FixRandomDraw(*options.random_draw);
  if (!options.dict_path.empty()) LoadDictionary(options.dict_path);
  std::wstring text = options.read_stdin ? DecodeOrFail(ReadStandardInput(), "standard input")
                                         : DecodeOrFail(options.text, "the text");
  if (options.mode == SayMode::Speak) return Speak(text, options.speech);
  if (options.mode == SayMode::Phonemes) {
    PrintingSink sink;
    if (options.normalise) {
      SpeakText(text, CurrentNormaliseOptions(), sink);  // the pipeline itself normalises
    } else {
      PhonemeList().Clear();
      SpeakPieces(text, sink);
    }
    FlushStandardOutput();
    return 0;
  }
  if (options.normalise) NormaliseText(text, CurrentNormaliseOptions());
  if (options.mode == SayMode::Normalise) {
    const std::string bytes = EncodeUtf8(text);
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
      throw InputError("cannot write standard output: " + ErrnoText());
    FlushStandardOutput();
    return 0;
  }
  CutPieces(text, [](const std::wstring& piece) {
    const std::string line = EncodeUtf8(piece) + '\t' + std::to_string(IntonationOf(piece)) + '\n';
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
      throw InputError("cannot write standard output: " + ErrnoText());
  });
  FlushStandardOutput();
  return 0;
}

// Every way out of a run: its status, with one line on standard error for a failure.
int RunReporting(const std::vector<std::string>& args) {
  try {
    return Run(args);
  } catch (const Failure& failure) {
    std::cerr << "mowik-say: " << failure.message << "\n";
    if (failure.status == 2) std::cerr << "Try 'mowik-say --help' for more information.\n";
    return failure.status;
  } catch (const std::bad_alloc&) {
    std::cerr << "mowik-say: out of memory (the text may be too long)\n";
  } catch (const std::length_error&) {
    std::cerr << "mowik-say: out of memory (the text may be too long)\n";
  }
  return 1;
}

}  // namespace
}  // namespace mowik

#ifdef _WIN32
// Wide arguments keep every Polish letter whatever the code page; the byte streams stay raw.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(mowik::EncodeUtf8(argv[i]));
  return mowik::RunReporting(args);
}
#else
int main(int argc, char** argv) {
  return mowik::RunReporting(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
