// sd_mowik: Mowik as a speech-dispatcher output module. speech-dispatcher starts it with the
// path of mowik.conf and talks to it over standard input and output; standard error goes to
// the server's log. The commands are read here, the messages spoken on a thread of their own,
// so that STOP and PAUSE are taken while a message is spoken. The module keeps nothing
// between runs and writes no file but the optional log: a restart by the server is harmless.

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sapi/sentence_voice.h"
#include "sapi/speaker_settings.h"
#include "speechd/message_speaker.h"
#include "speechd/module_commands.h"
#include "speechd/module_config.h"
#include "speechd/spoken_characters.h"
#include "speechd/ssml_text.h"
#include "tools/utf8_text.h"
#include "tools/voice_folder.h"

namespace mowik::speechd {
namespace {

std::atomic<int> g_logLevel{3};  // LOGLEVEL sets it; the speaking thread logs too

void Log(int level, const std::string& text) {
  if (level <= g_logLevel) std::cerr << "sd_mowik: " << text << std::endl;
}

// Standard output, shared by the replies and the speaking thread's events; a whole reply or
// event is written at once, so they never interleave.
class ServerPipe {
 public:
  bool Write(const std::string& text) {
    std::lock_guard lock(mutex_);
    size_t done = 0;
    while (done < text.size() && !broken_) {
      const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) broken_ = true;
      else done += static_cast<size_t>(n);
    }
    return !broken_;
  }
  bool Broken() {
    std::lock_guard lock(mutex_);
    return broken_;
  }

 private:
  std::mutex mutex_;
  bool broken_ = false;
};

// The log of mowik.conf's MowikLogFile: each sentence and its phonemes.
class SentenceLog {
 public:
  void Open(const std::string& path) {
    if (path.empty()) return;
    file_.open(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::app | std::ios::binary);
    if (!file_) Log(1, "cannot write the log " + path);
  }
  void Write(std::wstring_view text, const std::string& phonemes) {
    if (!file_) return;
    std::lock_guard lock(mutex_);
    std::string flat = phonemes;
    for (char& c : flat)
      if (c == '\r' || c == '\n') c = ' ';
    file_ << "sentence\t" << EncodeUtf8(text) << "\nphonemes\t" << flat << "\n" << std::flush;
  }

 private:
  std::mutex mutex_;
  std::ofstream file_;
};

class EventOutput final : public SpeechOutput {
 public:
  EventOutput(ServerPipe& pipe, SentenceLog& log) : pipe_(pipe), log_(log) {}
  void Audio(const int16_t* samples, size_t count) override {
    pipe_.Write(AudioEvent(samples, count, kVoiceSampleRate));
  }
  void Mark(const std::string& name) override { pipe_.Write(IndexMarkEvent(name)); }
  void Icon(const std::string& name) override { pipe_.Write(SoundIconEvent(name)); }
  void Sentence(std::wstring_view text, const std::string& phonemes) override { log_.Write(text, phonemes); }

 private:
  ServerPipe& pipe_;
  SentenceLog& log_;
};

// A message to speak: its segments (or an icon) and the voice at the time it came.
struct Job {
  std::vector<Segment> segments;
  std::string icon;  // sent before the words (a capital's icon, a SOUND_ICON)
  MessageVoice voice;
};

// Speaks one job at a time on its own thread; Stop and Pause are asked for from the
// command thread.
class Speaker {
 public:
  Speaker(ServerPipe& pipe, SentenceLog& log, SentenceVoice& engine)
      : pipe_(pipe), output_(pipe, log), engine_(engine), thread_([this] { Loop(); }) {}
  ~Speaker() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
      request_ = SpeakRequest::kStop;
    }
    wake_.notify_all();
    thread_.join();
  }

  // Whether a message is being spoken (the server waits for its end before the next one).
  bool Busy() {
    std::lock_guard lock(mutex_);
    return busy_;
  }
  void Start(Job job) {
    std::lock_guard lock(mutex_);
    job_ = std::move(job);
    request_ = SpeakRequest::kNone;
    busy_ = true;
    wake_.notify_all();
  }
  void Request(SpeakRequest request) {
    std::lock_guard lock(mutex_);
    if (busy_ && request_ != SpeakRequest::kStop) request_ = request;
  }

 private:
  SpeakRequest Pending() {
    std::lock_guard lock(mutex_);
    return request_;
  }

  void Loop() {
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return quit_ || job_; });
        if (quit_) return;
        job = std::move(*job_);
        job_.reset();
      }
      pipe_.Write(BeginEvent());
      if (!job.icon.empty()) output_.Icon(job.icon);
      std::string error;
      const MessageEnd end = SpeakSegments(job.segments, job.voice, engine_, output_, [this] { return Pending(); }, error);
      if (end == MessageEnd::kFailed) Log(1, error);
      {
        // The end event and the end of busy go together: a STOP after it has nothing to stop.
        std::lock_guard lock(mutex_);
        pipe_.Write(end == MessageEnd::kStopped ? StopEvent() : end == MessageEnd::kPaused ? PauseEvent() : EndEvent());
        busy_ = false;
      }
    }
  }

  ServerPipe& pipe_;
  EventOutput output_;
  SentenceVoice& engine_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> job_;
  SpeakRequest request_ = SpeakRequest::kNone;
  bool busy_ = false;
  bool quit_ = false;
  std::thread thread_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
  std::string text;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(file.gcount()));
    if (text.size() > (1u << 20)) break;  // a configuration file is small
  }
  return text;
}

// The user's Mowik folder: $XDG_CONFIG_HOME/mowik, else ~/.config/mowik.
std::string UserSettingsFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/mowik";
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.config/mowik" : std::string();
}

// The words of a CHAR, KEY or SOUND_ICON message, as a job.
Job WordsJob(const std::wstring& words, MessageVoice voice) {
  Job job;
  job.voice = std::move(voice);
  job.voice.settings.spelling = false;  // the words are names already
  Segment segment;
  segment.text = EncodeUtf8(words);
  job.segments.push_back(std::move(segment));
  return job;
}

class Module {
 public:
  explicit Module(const std::string& configPath) {
    std::vector<std::string> warnings;
    if (!configPath.empty()) config_ = ParseModuleConfig(ReadFile(configPath), warnings);
    for (const std::string& warning : warnings) Log(1, warning);
    log_.Open(config_.logFile);
  }

  int Run() {
    CommandReader reader;
    std::string line;
    bool initialised = false;
    while (std::getline(std::cin, line)) {
      CommandReader::Step step = reader.Take(line);
      if (!step.reply.empty()) pipe_.Write(step.reply);
      if (!step.command) continue;
      const Command& command = *step.command;
      if (!initialised) {
        // INIT comes first; the server starts nothing else before its answer.
        if (command.kind != CommandKind::kInit) {
          pipe_.Write(CommandReply(command, false));
          continue;
        }
        std::string status;
        initialised = Init(status);
        pipe_.Write(InitReply(initialised, status));
        if (!initialised) return 1;
        continue;
      }
      if (command.kind == CommandKind::kQuit) {
        speaker_.reset();
        pipe_.Write(CommandReply(command, true));
        return 0;
      }
      Handle(command);
      if (pipe_.Broken()) break;
    }
    // The server went away: stop speaking and leave.
    speaker_.reset();
    return 2;
  }

 private:
  bool Init(std::string& status) {
    const std::string folder = config_.voiceFolder.empty() ? VoiceFolder(config_.voice) : config_.voiceFolder;
    if (!engine_.Open(config_.voice, folder, status)) return false;
    if (config_.userSettings) {
      const std::string settingsFolder = UserSettingsFolder();
      if (!settingsFolder.empty()) user_ = LoadSpeakerSettings(DecodeUtf8(settingsFolder).value_or(std::wstring()));
    }
    speaker_.emplace(pipe_, log_, engine_);
    status = "Mowik " + config_.voice + " ready";
    return true;
  }

  MessageVoice Voice() const {
    MessageVoice voice;
    voice.settings = settings_;
    voice.user = user_;
    voice.naturalReading = config_.naturalReading;
    return voice;
  }

  void Speak(const Command& command, Job job) {
    // One message at a time: the server sends the next after the last one's end event.
    const bool taken = !command.malformed && !command.text.empty() &&
                       (command.kind == CommandKind::kSpeak || command.lines <= 1) && !speaker_->Busy();
    // The reply goes out before the speaking thread can write its first event.
    pipe_.Write(CommandReply(command, taken));
    if (taken) speaker_->Start(std::move(job));
  }

  void Handle(const Command& command) {
    switch (command.kind) {
      case CommandKind::kSpeak: {
        Job job;
        job.voice = Voice();
        job.segments = ParseSsml(command.text);
        Speak(command, std::move(job));
        break;
      }
      case CommandKind::kChar: {
        // The server sends "space" for a blank.
        const std::wstring character = command.text == "space" ? L" " : TextOfUtf8(command.text);
        bool icon = false;
        const std::wstring words = CharacterWords(character, settings_.capitals, icon);
        Job job = WordsJob(words, Voice());
        if (icon) job.icon = "capital";
        Speak(command, std::move(job));
        break;
      }
      case CommandKind::kKey:
        Speak(command, WordsJob(KeyWords(TextOfUtf8(command.text)), Voice()));
        break;
      case CommandKind::kSoundIcon: {
        Job job;
        job.voice = Voice();
        job.icon = command.text;
        Speak(command, std::move(job));
        break;
      }
      case CommandKind::kStop:
        speaker_->Request(SpeakRequest::kStop);
        break;
      case CommandKind::kPause:
        speaker_->Request(SpeakRequest::kPause);
        break;
      case CommandKind::kListVoices:
        pipe_.Write(VoiceListReply({{config_.voice, "pl", "none"}}));
        break;
      case CommandKind::kSet: {
        bool ok = true;
        for (const auto& [name, value] : command.params) ok = ApplySetting(settings_, name, value) && ok;
        pipe_.Write(CommandReply(command, ok));
        break;
      }
      case CommandKind::kAudio: {
        // The server plays the audio: its own output and volume apply.
        bool ok = true;
        for (const auto& [name, value] : command.params)
          if (name == "audio_output_method" && value != "server") ok = false;
        pipe_.Write(CommandReply(command, ok));
        break;
      }
      case CommandKind::kLogLevel:
        for (const auto& [name, value] : command.params)
          if (name == "log_level") g_logLevel = std::atoi(value.c_str());
        pipe_.Write(CommandReply(command, true));
        break;
      case CommandKind::kDebug:
        pipe_.Write(CommandReply(command, true));
        break;
      default:
        pipe_.Write(CommandReply(command, false));
        break;
    }
  }

  ModuleConfig config_;
  ServerPipe pipe_;
  SentenceLog log_;
  SentenceVoice engine_;
  VoiceSettings settings_;
  SpeakerSettings user_;
  std::optional<Speaker> speaker_;
};

}  // namespace
}  // namespace mowik::speechd

int main(int argc, char** argv) {
  // A server that goes away is seen as a failed write, not as a signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  mowik::speechd::Module module(argc > 1 ? argv[1] : "");
  return module.Run();
}
