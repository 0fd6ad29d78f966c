#include "mowik/output/sampa_player.h"

#include "mowik/program/main_module.h"

namespace mowik {
namespace {

constexpr int32_t kErrorTextSize = 1024;

}  // namespace

void SampaPlayer::ReportPlayerError(int32_t result) {
  std::string buffer(kErrorTextSize, '\0');
  player_.LastError(buffer.data(), kErrorTextSize);
  buffer.resize(buffer.find('\0') == std::string::npos ? buffer.size() : buffer.find('\0'));
  PlayerErrorText = player_.TextFromPlayer(buffer);
  if (result != 0) {
    ++errorsShown_;
    reporter_.ShowPlayerError(PlayerErrorText);
  }
}

void SampaPlayer::SetOutput(int32_t fileFlags, std::wstring outFile) {
  fileFlags_ = fileFlags;
  outFile_ = outFile.empty() ? L"0" : std::move(outFile);
}

void SampaPlayer::PlaySampa(const std::string& phonemeText) {
  if (phonemeText.find("\r\n") == std::string::npos) return;
  if (preloadPending_) {
    preloadPending_ = false;
    player_.WaitForEnd();
  }
  const int32_t playing = player_.IsPlaying();
  if (player_.Unavailable() || playing != 0) return;

  ReportPlayerError(player_.SetDatabase(DatabaseName));
  ReportPlayerError(player_.SetPitchRatio(PitchRatio));
  ReportPlayerError(player_.SetDurationRatio(DurationRatio));
  ReportPlayerError(player_.SetVoiceFreq(VoiceFreq));
  if (!player_.Unavailable()) {
    // The player plays only lines that end in a line break, and the pipeline leaves the last
    // line without one: ending the text here lets the last phoneme be heard too. The wait
    // dispatches this thread's messages, so a stop can arrive inside it.
    speaking_ = true;
    stopAsked_ = false;
    const int32_t played = player_.Play(phonemeText + "\r\n", VRL_WAIT | fileFlags_, outFile_, 0);
    speaking_ = false;
    paused_ = false;
    ReportPlayerError(Shown(played));
  }
  ReportPlayerError(Shown(player_.Stop()));  // after a stop, its record still says cancelled
  stopAsked_ = false;
}

int32_t SampaPlayer::Shown(int32_t result) const { return stopAsked_ && result == VRL_ERR_CANCELLED ? 0 : result; }

void SampaPlayer::StopSpeaking() {
  if (!speaking_) return;
  stopAsked_ = true;
  player_.Stop();
}

void SampaPlayer::Preload() {
  if (speaking_ || player_.Unavailable()) return;
  // Not SetDatabase: it waits, and a close or a reading arriving in its wait would meet a
  // player still busy.
  player_.SelectDatabaseAhead(DatabaseName);
  preloadPending_ = !player_.Unavailable();
}

void SampaPlayer::TogglePause() {
  if (!speaking_) return;
  if (paused_) {
    player_.Resume();
    paused_ = false;
  } else {
    paused_ = player_.Pause() == 0;
  }
}

}  // namespace mowik
