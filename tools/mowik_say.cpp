// mowik-say: Polish text from the command line or standard input through Mowik's pipeline.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
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
#include "mowik/verbalise/normalise_text.h"
#include "tools/speech_options.h"
#include "tools/utf8_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "mowik/output/vrlplay_library.h"
#else
#include "tools/native_speaker.h"
#endif

namespace mowik {
namespace {

constexpr char kUsage[] =
    "usage: mowik-say [options] [text ...]\n"
    "Reads Polish text from the arguments (joined by blanks) or, when there are none, from\n"
    "standard input, as UTF-8.\n"
    "\n"
    "Without --phonemes, --normalise or --pieces it speaks the text: on Windows through\n"
    "vrlplay.dll (beside mowik-say.exe), natively into the WAV file that -o names.\n"
    "\n"
    "  --phonemes       print the phoneme text the player receives (CR LF before every line)\n"
    "  --normalise      print the normalised text as UTF-8, exactly (no line end is added)\n"
    "  --pieces         print each piece and its intonation mode: piece<TAB>mode\n"
    "  --random R       use the draw R (0 <= R < 1) for every random choice of the prosody\n"
    "  --no-normalise   take the text as already normalised (the other modes normalise first)\n"
    "  --no-spell       do not spell capital words or read digit strings\n"
    "  --dict FILE      replacement dictionary: UTF-8 lines of find<TAB>replace\n"
    "  -o FILE          write the speech to FILE (.wav, .au or .raw) instead of playing it\n"
    "  --alaw, --mulaw  with -o FILE.wav: 8-bit G.711 at half the rate (telephony)\n"
    "  --pitch P        pitch in percent, 15 to 400 (default 100)\n"
    "  --duration D     duration in tenths, 3 to 18 (default 10)\n"
    "  --freq F         output frequency in Hz, 10000 to 30000 (default 16000)\n"
    "  --db ID          voice database (default pl1)\n"
    "  --help           show this text\n"
    "  --               the rest of the arguments is text\n";

enum class Mode { Speak, Phonemes, Pieces, Normalise };

struct Options {
  Mode mode = Mode::Speak;
  SpeechOptions speech;
  bool normalise = true;
  bool read_stdin = true;
  std::string text;  // UTF-8, from the arguments
  std::string dict_path;
};

[[noreturn]] void UsageError(const std::string& message) {
  std::cerr << "mowik-say: " << message << "\n" << kUsage;
  std::exit(2);
}

[[noreturn]] void InputError(const std::string& message) {
  std::cerr << "mowik-say: " << message << "\n";
  std::exit(1);
}

Options ParseArguments(const std::vector<std::string>& args) {
  Options options;
  bool options_end = false;
  std::vector<std::string> words;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool is_option = !options_end && (arg.rfind("--", 0) == 0 || arg == "-h" || arg == "-o");
    if (!is_option) {
      words.push_back(arg);
      continue;
    }
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--") {
      options_end = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      std::exit(0);
    } else if (arg == "--phonemes") {
      options.mode = Mode::Phonemes;
    } else if (arg == "--normalise") {
      options.mode = Mode::Normalise;
    } else if (arg == "--pieces") {
      options.mode = Mode::Pieces;
    } else if (arg == "--no-normalise") {
      options.normalise = false;
    } else if (arg == "--no-spell") {
      SpellCapital = 0;
    } else if (arg == "--random") {
      const std::string& text = value();
      char* end = nullptr;
      const double r = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0' || !FixRandomDraw(r))
        UsageError("--random needs a number from 0 up to (not including) 1, not '" + text + "'");
    } else if (arg == "--dict") {
      options.dict_path = value();
    } else {
      std::string error;
      if (!TakeSpeechOption(args, i, options.speech, error)) UsageError("unknown option " + arg);
      if (!error.empty()) UsageError(error);
    }
  }
  if (!words.empty()) {
    options.read_stdin = false;
    for (size_t i = 0; i < words.size(); ++i) options.text += (i ? " " : "") + words[i];
  }
  return options;
}

std::string ReadAll(std::FILE* file) {
  std::string bytes;
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  // A read error (standard input from a folder) is not an empty text.
  if (std::ferror(file)) InputError("cannot read standard input");
  return bytes;
}

std::wstring DecodeOrExit(const std::string& bytes, const std::string& what) {
  size_t offset = 0;
  std::optional<std::wstring> text = DecodeUtf8(bytes, &offset);
  if (!text) InputError(what + " is not valid UTF-8 (bad byte at offset " + std::to_string(offset) + ")");
  return std::move(*text);
}

// Rows of the replacement dictionary, find and replace, in file order.
std::vector<std::pair<std::wstring, std::wstring>> ReadDictionary(const std::string& path) {
  std::ifstream file(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
  if (!file) InputError("cannot read the dictionary " + path);
  // istream::read turns a failing read (a folder opens but cannot be read) into badbit;
  // reading through stream iterators would throw out of the program instead.
  std::string bytes;
  char buffer[1 << 16];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) bytes.append(buffer, file.gcount());
  if (file.bad()) InputError("cannot read the dictionary " + path);
  const std::wstring text = DecodeOrExit(bytes, "the dictionary " + path);
  std::vector<std::pair<std::wstring, std::wstring>> rows;
  size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring row = text.substr(start, end - start);
    if (!row.empty() && row.back() == L'\r') row.pop_back();
    start = end + 1;
    if (row.empty()) continue;
    const size_t tab = row.find(L'\t');
    if (tab == std::wstring::npos)
      InputError("the dictionary " + path + ", line " + std::to_string(line) + ": no tab between find and replace");
    rows.emplace_back(row.substr(0, tab), row.substr(tab + 1));
  }
  return rows;
}

// Player errors go to standard error; any of them makes the exit status 1.
class StderrReporter : public PlayerReporter {
 public:
  void ShowPlayerError(const std::wstring& text) override {
    std::cerr << "mowik-say: " << EncodeUtf8(text) << "\n";
    failed = true;
  }
  bool failed = false;
};

// Speaks text as Mowik does, with the voice and output the options give.
int Speak(std::wstring& text, const SpeechOptions& speech) {
  std::string error;
  const int32_t file_flags = FileOutputFlags(speech, error);
  if (!error.empty()) UsageError(error);
  ApplyVoiceProfile(speech.profile);
  DatabaseName = speech.database;
#ifdef _WIN32
  StderrReporter reporter;
  VrlplayLibrary library(reporter);
  SampaPlayer bridge(library, reporter);
  const std::optional<std::wstring> out_file = DecodeUtf8(speech.out_file);
  bridge.SetOutput(file_flags, out_file ? *out_file : std::wstring());
  SpeakText(text, CurrentNormaliseOptions(), bridge);
  return reporter.failed ? 1 : 0;
#else
  if (file_flags == 0) UsageError("this build has no sound device: give -o FILE.wav, or use --phonemes");
  NativeSpeaker speaker(file_flags, speech.out_file);
  SpeakText(text, CurrentNormaliseOptions(), speaker);
  if (!speaker.Error().empty()) InputError(speaker.Error());
  return 0;
#endif
}

class PrintingSink : public PhonemeSink {
 public:
  void PlaySampa(const std::string& phonemeText) override {
    std::fwrite(phonemeText.data(), 1, phonemeText.size(), stdout);
  }
};

int Run(const std::vector<std::string>& args) {
  const Options options = ParseArguments(args);
  if (!options.dict_path.empty()) {
    TableModel& dictionary = DictionaryTable();
    for (auto& [find, replace] : ReadDictionary(options.dict_path)) {
      const int32_t row = dictionary.AddRow();
      dictionary.SetCellText(row, 1, std::move(find));
      dictionary.SetCellText(row, 2, std::move(replace));
    }
  }
  std::wstring text = options.read_stdin ? DecodeOrExit(ReadAll(stdin), "standard input")
                                         : DecodeOrExit(options.text, "the text");
  if (options.mode == Mode::Speak) return Speak(text, options.speech);
  if (options.mode == Mode::Phonemes) {
    PrintingSink sink;
    if (options.normalise) {
      SpeakText(text, CurrentNormaliseOptions(), sink);  // the pipeline itself normalises
    } else {
      PhonemeList().Clear();
      SpeakPieces(text, sink);
    }
    std::fflush(stdout);
    return 0;
  }
  if (options.normalise) NormaliseText(text, CurrentNormaliseOptions());
  if (options.mode == Mode::Normalise) {
    const std::string bytes = EncodeUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return 0;
  }
  CutPieces(text, [](const std::wstring& piece) {
    std::cout << EncodeUtf8(piece) << '\t' << IntonationOf(piece) << '\n';
  });
  return 0;
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
  return mowik::Run(args);
}
#else
int main(int argc, char** argv) {
  return mowik::Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
