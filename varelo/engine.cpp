#include "varelo/engine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace mowik {
namespace {

namespace fs = std::filesystem;

// Lines shown in an error text are cut to this many characters (the caller's buffer is 200).
constexpr size_t kShownLine = 40;
constexpr size_t kMaxPendingPhones = 64;

std::string Shown(std::string_view line) {
  std::string s;
  for (const char c : line.substr(0, kShownLine)) {
    if (c == '\r' || c == '\n') continue;
    s += (c >= ' ' && c < 127) ? c : '?';
  }
  if (line.size() > kShownLine) s += "...";
  return s;
}

// The file a database path names: as given, else in folder by the path, else in folder by the
// file name. Empty when none exists.
std::string Resolve(const std::string& path, const std::string& folder) {
  std::error_code ec;
  std::vector<fs::path> candidates{fs::path(path)};
  if (!folder.empty()) {
    const fs::path given(path);
    if (given.is_relative()) candidates.push_back(fs::path(folder) / given);
    if (given.has_filename()) candidates.push_back(fs::path(folder) / given.filename());
  }
  for (const fs::path& p : candidates)
    if (fs::is_regular_file(p, ec)) return p.string();
  return {};
}

std::string CacheKey(const std::string& file) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  const auto time = fs::last_write_time(file, ec).time_since_epoch().count();
  std::ostringstream key;
  key << fs::absolute(file, ec).string() << '|' << size << '|' << time;
  return key.str();
}

std::vector<std::string> ListTokens(const char* list) {
  std::vector<std::string> tokens;
  std::string current;
  for (const char* p = list; *p; ++p) {
    if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == ',') {
      if (!current.empty()) tokens.push_back(std::move(current));
      current.clear();
    } else {
      current += *p;
    }
  }
  if (!current.empty()) tokens.push_back(std::move(current));
  return tokens;
}

// The last database read in this process, kept after Close: a player selects the same
// database for every utterance, and reading megabytes each time would delay its first samples.
struct VoiceCache {
  std::mutex mutex;
  std::string key;
  std::shared_ptr<const VoiceDatabase> voice;
};

VoiceCache& Cache() {
  static VoiceCache cache;
  return cache;
}

void CopyText(const std::string& text, char* out, int size) {
  if (!out || size < 1) return;
  const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

void AppendNumber(std::string& s, double value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  s.append(buffer, r.ptr);
}

}  // namespace

Engine::Engine() = default;
Engine::~Engine() = default;

void Engine::SetError(int code, std::string text) {
  error_ = code;
  errorText_ = std::move(text);
}

int Engine::Init(const char* path, const char* rename, const char* clone,
                 const std::string& folder) {
  std::lock_guard lock(mutex_);
  Close();
  const std::string given = path ? path : "";
  const std::string file = given.empty() ? std::string() : Resolve(given, folder);
  if (file.empty()) {
    SetError(kEngineVoiceRefused, "the voice database \"" + Shown(given) + "\" does not exist");
    return kEngineVoiceRefused;
  }
  const std::string key = CacheKey(file);
  {
    VoiceCache& cache = Cache();
    std::lock_guard cacheLock(cache.mutex);
    if (key != cache.key || !cache.voice) {
      auto voice = std::make_shared<VoiceDatabase>();
      std::string error;
      if (!LoadVoiceFile(file, *voice, error)) {
        SetError(kEngineVoiceRefused, error);
        return kEngineVoiceRefused;
      }
      cache.voice = std::move(voice);
      cache.key = key;
    }
    voice_ = cache.voice;
  }
  for (size_t i = 0; i < voice_->symbols.size(); ++i) names_[voice_->symbols[i]] = static_cast<int>(i);
  if ((rename && !ApplySymbolList(rename, true)) || (clone && !ApplySymbolList(clone, false))) {
    const std::string text = errorText_;
    Close();
    SetError(kEngineBadSymbolList, text);
    return kEngineBadSymbolList;
  }
  synth_ = std::make_unique<Synthesizer>(voice_);
  synth_->SetRate(rate_ > 0 ? static_cast<uint32_t>(rate_) : voice_->sampleRate);
  pitchRatio_ = durationRatio_ = 1.0;
  error_ = kEngineOk;
  errorText_.clear();
  return kEngineOk;
}

bool Engine::ApplySymbolList(const char* list, bool rename) {
  const std::vector<std::string> tokens = ListTokens(list);
  const char* what = rename ? "rename" : "clone";
  if (tokens.size() % 2 != 0) {
    SetError(kEngineBadSymbolList, std::string("the ") + what + " list does not hold pairs");
    return false;
  }
  for (size_t i = 0; i < tokens.size(); i += 2) {
    const std::string& from = tokens[i];
    const std::string& to = tokens[i + 1];
    const auto found = names_.find(from);
    if (found == names_.end()) {
      SetError(kEngineBadSymbolList, std::string("the ") + what + " list names the unknown symbol \"" +
                                         Shown(from) + "\"");
      return false;
    }
    if (to.size() > 7 || (names_.count(to) && to != from)) {
      SetError(kEngineBadSymbolList, std::string("the ") + what + " list gives the taken or too long name \"" +
                                         Shown(to) + "\"");
      return false;
    }
    const int index = found->second;
    if (rename) names_.erase(found);
    names_[to] = index;
  }
  return true;
}

void Engine::Close() {
  std::lock_guard lock(mutex_);
  synth_.reset();
  voice_.reset();
  names_.clear();
  stopped_ = false;
  line_ = 0;
}

void Engine::Reset() {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->Reset();
  stopped_ = false;
  line_ = 0;
}

bool Engine::Full() const {
  return synth_->ReadySamples() >= static_cast<size_t>(kBlockSamples) ||
         synth_->PendingPhones() >= kMaxPendingPhones;
}

int Engine::Write(const char* text) {
  std::lock_guard lock(mutex_);
  if (!synth_) {
    SetError(kEngineNoVoice, "no voice database is loaded");
    stopped_ = true;
    return 1;
  }
  if (stopped_) return 1;  // the utterance already failed; its rest is dropped
  if (Full()) return 0;
  std::string replaced;
  std::string_view input = text ? text : "";
  if (parser_) {
    std::vector<char> out(kMaxLineLength + 1, '\0');
    const int r = parser_(text ? text : "", out.data(), static_cast<int>(out.size()));
    if (r < 0) return 1;
    if (r > 0) {
      out.back() = '\0';
      replaced = out.data();
      input = replaced;
    }
  }
  while (!stopped_) {
    const size_t lf = input.find('\n');
    TakeLine(input.substr(0, lf));
    if (lf == std::string_view::npos) break;
    input.remove_prefix(lf + 1);
    if (input.empty()) break;
  }
  return 1;
}

void Engine::TakeLine(std::string_view line) {
  ++line_;
  const PhonemeLine p = ParsePhonemeLine(line, noError_);
  auto fail = [&](const std::string& what) {
    SetError(kEngineBadLine,
             "line " + std::to_string(line_) + " \"" + Shown(line) + "\": " + what);
    stopped_ = true;
    synth_->Finish();  // what came before the bad line can still be heard
  };
  switch (p.kind) {
    case PhonemeLine::Kind::kNothing:
      return;
    case PhonemeLine::Kind::kError:
      return fail(p.error);
    case PhonemeLine::Kind::kPitchRatio:
      pitchRatio_ = p.ratio;
      return;
    case PhonemeLine::Kind::kDurationRatio:
      durationRatio_ = p.ratio;
      return;
    case PhonemeLine::Kind::kPhoneme:
      break;
  }
  SynthPhone phone;
  const auto found = names_.find(p.symbol);
  if (found != names_.end()) {
    phone.symbol = found->second;
  } else if (noError_) {
    phone.symbol = voice_->SilenceIndex();
  } else {
    return fail("unknown phoneme \"" + Shown(p.symbol) + "\"");
  }
  phone.durationMs = p.durationMs * durationRatio_;
  phone.targets = p.targets;
  for (PitchTarget& t : phone.targets) t.hz *= pitchRatio_;
  synth_->SetDefaultPitch(voice_->pitchCentiHz / 100.0 * pitchRatio_);
  synth_->Push(phone);
}

int Engine::Flush() {
  std::lock_guard lock(mutex_);
  if (!synth_) {
    SetError(kEngineNoVoice, "no voice database is loaded");
    stopped_ = true;
    return 1;
  }
  if (stopped_) return 1;
  if (Full()) return 0;
  synth_->Finish();
  synth_->SetRate(rate_ > 0 ? static_cast<uint32_t>(rate_) : voice_->sampleRate);
  line_ = 0;
  return 1;
}

int Engine::Read(int16_t* samples, int capacity, int* type) {
  std::lock_guard lock(mutex_);
  if (!synth_) {
    if (!stopped_) SetError(kEngineNoVoice, "no voice database is loaded");
    stopped_ = true;
    return error_ < 0 ? error_ : kEngineNoVoice;
  }
  if (!samples) return 0;
  const size_t room = capacity < 1 || capacity > kBlockSamples ? kBlockSamples : capacity;
  const size_t n = synth_->Take(samples, room, volume_);
  if (synth_->Damaged() && error_ == kEngineOk) {
    // Noted, not fatal: the rest of the voice still speaks.
    SetError(kEngineVoiceRefused, "the voice database is damaged: the diphones in its damaged part are silent");
  }
  if (n > 0) {
    if (type) *type = std::any_of(samples, samples + n, [](int16_t s) { return s != 0; }) ? 1 : 0;
    return static_cast<int>(n);
  }
  if (stopped_) return error_ < 0 ? error_ : kEngineBadLine;
  return 0;
}

int Engine::LastError() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::string Engine::LastErrorText() const {
  std::lock_guard lock(mutex_);
  return errorText_;
}

void Engine::SetNoError(int on) {
  std::lock_guard lock(mutex_);
  noError_ = on != 0;
}

int Engine::NoError() const {
  std::lock_guard lock(mutex_);
  return noError_ ? 1 : 0;
}

void Engine::SetRate(int hz) {
  std::lock_guard lock(mutex_);
  // Beyond these the grains no longer fit sensible periods; 0 or less means the database's own.
  rate_ = hz <= 0 ? 0 : std::clamp(hz, 4000, 192000);
  if (synth_) synth_->SetRate(rate_ > 0 ? static_cast<uint32_t>(rate_) : voice_->sampleRate);
}

int Engine::Rate() const {
  std::lock_guard lock(mutex_);
  if (rate_ > 0) return rate_;
  return voice_ ? static_cast<int>(voice_->sampleRate) : 16000;
}

void Engine::SetVolume(float ratio) {
  std::lock_guard lock(mutex_);
  if (std::isfinite(ratio) && ratio >= 0) volume_ = ratio;
}

float Engine::Volume() const {
  std::lock_guard lock(mutex_);
  return volume_;
}

int Engine::DatabaseInfo(char* out, int size, int index) const {
  std::lock_guard lock(mutex_);
  if (!voice_ || index < 0) return 0;
  std::vector<std::string> texts;
  const std::vector<std::string>& info = voice_->info;
  for (size_t i = 0; i < info.size() && i < 2; ++i) texts.push_back(info[i]);
  texts.push_back("rate: " + std::to_string(voice_->sampleRate) + " Hz");
  std::string symbols = "symbols:";
  for (const std::string& s : voice_->symbols) symbols += " " + s;
  texts.push_back(symbols);
  texts.push_back("diphones: " + std::to_string(voice_->diphones.size()));
  for (size_t i = 2; i < info.size(); ++i) texts.push_back(info[i]);
  if (static_cast<size_t>(index) >= texts.size()) return 0;
  CopyText(texts[static_cast<size_t>(index)], out, size);
  return static_cast<int>(texts[static_cast<size_t>(index)].size() + 1);
}

void Engine::SetParser(LineParser parser) {
  std::lock_guard lock(mutex_);
  parser_ = std::move(parser);
}

int Engine::WritePhone(const PhoneObject& phone) {
  return Write(PhoneLine(phone).c_str());
}

std::string PhoneLine(const PhoneObject& phone) {
  std::string line = phone.symbol + " ";
  AppendNumber(line, phone.durationMs);
  for (const PitchTarget& t : phone.targets) {
    line += ' ';
    AppendNumber(line, t.percent);
    line += ' ';
    AppendNumber(line, t.hz);
  }
  return line;
}

}  // namespace mowik
