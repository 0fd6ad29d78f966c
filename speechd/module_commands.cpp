#include "speechd/module_commands.h"

namespace mowik::speechd {
namespace {

struct CommandName {
  std::string_view line;
  CommandKind kind;
};

constexpr CommandName kCommands[] = {
    {"INIT", CommandKind::kInit},       {"SPEAK", CommandKind::kSpeak},
    {"CHAR", CommandKind::kChar},       {"KEY", CommandKind::kKey},
    {"SOUND_ICON", CommandKind::kSoundIcon}, {"STOP", CommandKind::kStop},
    {"PAUSE", CommandKind::kPause},     {"LIST VOICES", CommandKind::kListVoices},
    {"SET", CommandKind::kSet},         {"AUDIO", CommandKind::kAudio},
    {"LOGLEVEL", CommandKind::kLogLevel}, {"QUIT", CommandKind::kQuit},
};

bool IsMessage(CommandKind kind) {
  return kind == CommandKind::kSpeak || kind == CommandKind::kChar || kind == CommandKind::kKey ||
         kind == CommandKind::kSoundIcon;
}

bool IsParameterBlock(CommandKind kind) {
  return kind == CommandKind::kSet || kind == CommandKind::kAudio || kind == CommandKind::kLogLevel;
}

// What the module says when a block starts.
std::string BlockStartReply(CommandKind kind) {
  switch (kind) {
    case CommandKind::kSet: return "207 OK RECEIVING SETTINGS\n";
    case CommandKind::kAudio: return "207 OK RECEIVING AUDIO SETTINGS\n";
    case CommandKind::kLogLevel: return "207 OK RECEIVING LOGLEVEL SETTINGS\n";
    default: return "202 OK RECEIVING MESSAGE\n";
  }
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  return line;
}

}  // namespace

CommandReader::Step CommandReader::Take(std::string_view line) {
  Step step;
  if (!block_) {
    Command command;
    for (const CommandName& name : kCommands)
      if (line == name.line) command.kind = name.kind;
    if (command.kind == CommandKind::kUnknown && (line == "DEBUG" || line.rfind("DEBUG ", 0) == 0)) {
      command.kind = CommandKind::kDebug;
      command.text = std::string(line.substr(line.size() > 5 ? 6 : 5));
    }
    if (IsMessage(command.kind) || IsParameterBlock(command.kind)) {
      step.reply = BlockStartReply(command.kind);
      block_ = std::move(command);
      bytes_ = 0;
      firstLine_ = true;
      return step;
    }
    step.command = std::move(command);
    return step;
  }

  if (line == ".") {
    step.command = std::move(*block_);
    block_.reset();
    return step;
  }
  // A line of the block that starts with a dot has had one more put before it.
  if (!line.empty() && line[0] == '.') line.remove_prefix(1);
  Command& command = *block_;
  if (IsParameterBlock(command.kind)) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      command.malformed = true;
    } else if (command.params.size() < 64) {
      command.params.emplace_back(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
    }
    return step;
  }
  ++command.lines;
  bytes_ += line.size() + 1;
  if (bytes_ > kMaxMessageBytes) {
    command.malformed = true;
    command.text.clear();
    command.text.shrink_to_fit();
    return step;
  }
  if (command.malformed) return step;
  if (!firstLine_) command.text += '\n';
  command.text += line;
  firstLine_ = false;
  return step;
}

std::string InitReply(bool loaded, std::string_view status) {
  if (loaded) return "299-" + OneLine(status) + "\n299 OK LOADED SUCCESSFULLY\n";
  return "399-" + OneLine(status) + "\n399 ERR CANT INIT MODULE\n";
}

std::string CommandReply(const Command& command, bool ok) {
  switch (command.kind) {
    case CommandKind::kSpeak:
    case CommandKind::kChar:
    case CommandKind::kKey:
    case CommandKind::kSoundIcon:
      if (command.kind != CommandKind::kSpeak && command.lines > 1) return "305 DATA MORE THAN ONE LINE\n";
      return ok && !command.malformed && !command.text.empty() ? "200 OK SPEAKING\n" : "301 ERROR CANT SPEAK\n";
    case CommandKind::kSet:
    case CommandKind::kAudio:
    case CommandKind::kLogLevel:
      if (command.malformed) return "302 ERROR BAD SYNTAX\n";
      if (!ok) return "303 ERROR INVALID PARAMETER OR VALUE\n";
      if (command.kind == CommandKind::kSet) return "203 OK SETTINGS RECEIVED\n";
      if (command.kind == CommandKind::kAudio) return "203 OK AUDIO INITIALIZED\n";
      return "203 OK LOGLEVEL SET\n";
    case CommandKind::kDebug:
      return ok ? "200 OK DEBUGGING\n" : "303 CANT OPEN CUSTOM DEBUG FILE\n";
    case CommandKind::kQuit:
      return "210 OK QUIT\n";
    default:
      return "300 ERR UNKNOWN COMMAND\n";
  }
}

std::string VoiceListReply(const std::vector<VoiceEntry>& voices) {
  if (voices.empty()) return "304 CANT LIST VOICES\n";
  std::string reply;
  for (const VoiceEntry& voice : voices)
    reply += "200-" + OneLine(voice.name) + "\t" + OneLine(voice.language.empty() ? "none" : voice.language) + "\t" +
             OneLine(voice.variant.empty() ? "none" : voice.variant) + "\n";
  return reply + "200 OK VOICE LIST SENT\n";
}

std::string BeginEvent() { return "701 BEGIN\n"; }
std::string EndEvent() { return "702 END\n"; }
std::string StopEvent() { return "703 STOP\n"; }
std::string PauseEvent() { return "704 PAUSE\n"; }
std::string IndexMarkEvent(std::string_view name) { return "700-" + OneLine(name) + "\n700 INDEX MARK\n"; }
std::string SoundIconEvent(std::string_view name) { return "706-" + OneLine(name) + "\n706 ICON\n"; }

std::string AudioEvent(const int16_t* samples, size_t count, int rate) {
  std::string event = "705-bits=16\n705-num_channels=1\n705-sample_rate=" + std::to_string(rate) +
                      "\n705-num_samples=" + std::to_string(count) + "\n705-big_endian=0\n705-AUDIO";
  event += '\0';
  event.reserve(event.size() + count * 2 + count / 64 + 16);
  auto put = [&](uint8_t byte) {
    if (byte == '\n' || byte == 0x7D) {
      event += static_cast<char>(0x7D);
      event += static_cast<char>(byte ^ 0x20);
    } else {
      event += static_cast<char>(byte);
    }
  };
  for (size_t i = 0; i < count; ++i) {
    const uint16_t sample = static_cast<uint16_t>(samples[i]);
    put(static_cast<uint8_t>(sample & 0xFF));
    put(static_cast<uint8_t>(sample >> 8));
  }
  return event + "\n705 AUDIO\n";
}

bool UnescapeAudio(std::string_view escaped, std::string& bytes) {
  bytes.clear();
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != static_cast<char>(0x7D)) {
      bytes += escaped[i];
      continue;
    }
    if (++i == escaped.size()) return false;
    bytes += static_cast<char>(escaped[i] ^ 0x20);
  }
  return true;
}

}  // namespace mowik::speechd
