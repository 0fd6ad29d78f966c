#pragma once
// SampaPlayer: the one place where Mowik speaks through the player library. Before every
// utterance it sets the database and the current voice profile's pitch, duration and
// frequency, plays the text to its end and stops the player; every call's error text is
// fetched, and shown when the call failed.

#include <cstdint>
#include <string>

#include "mowik/frontend/phoneme_sink.h"
#include "mowik/output/player_api.h"
#include "mowik/output/player_reporter.h"

namespace mowik {

class SampaPlayer : public PhonemeSink {
 public:
  SampaPlayer(PlayerApi& player, PlayerReporter& reporter) : player_(player), reporter_(reporter) {}

  // Plays the phoneme text of one utterance and returns when it has been played. A text
  // without any line break is not played; an utterance that arrives while the player is
  // still playing is dropped, not queued. Each step runs even after an earlier one failed.
  void PlaySampa(const std::string& phonemeText) override;

  // Fetches the player's last error text into PlayerErrorText, and shows it when result is
  // not 0.
  void ReportPlayerError(int32_t result);

  // Output for later utterances: flags added to VRL_Play's and the file they name (none: the
  // sound device).
  void SetOutput(int32_t fileFlags, std::wstring outFile);

  // Loads the player library, the engine and the voice ahead of the first utterance, without
  // speaking and without waiting: the player selects the database on its own thread.
  // The caller's thread loads the player library. Its
  // result is not shown (the first utterance selects again and reports). The next utterance
  // first waits for the selection to end, so it is not dropped as arriving during speech.
  void Preload();

  // How many non-zero results were shown so far.
  int32_t ErrorsShown() const { return errorsShown_; }

  // Whether an utterance is playing now (PlaySampa has not returned).
  bool Speaking() const { return speaking_; }
  // Ends the utterance playing now, at once (the player's stop); its cancellation is the
  // user's wish, not an error to show. Nothing happens when none plays.
  void StopSpeaking();
  // Holds the utterance playing now, or plays a held one on; the player's own record of a
  // refusal is not shown. Nothing happens when none plays.
  void TogglePause();
  bool Paused() const { return paused_; }

 private:
  // The result as shown: a cancellation the user asked for is none.
  int32_t Shown(int32_t result) const;

  PlayerApi& player_;
  PlayerReporter& reporter_;
  int32_t fileFlags_ = 0;
  std::wstring outFile_ = L"0";
  int32_t errorsShown_ = 0;
  bool speaking_ = false;
  bool stopAsked_ = false;
  bool paused_ = false;
  bool preloadPending_ = false;
};

}  // namespace mowik
