#pragma once
// The reader's speaking: the player library (loaded ahead by Preload, or at the first
// reading), the bridge that sets the current voice profile before each utterance, and the
// box that shows the player's errors. Texts go through the front end with the options as
// they are at that moment; one that arrives during a reading is dropped. Windows only.
#include <windows.h>

#include <functional>
#include <string>

#include "mowik/output/sampa_player.h"
#include "mowik/output/vrlplay_library.h"
#include "mowik/shell/speaker.h"
#include "mowik/shell/windows/message_box_reporter.h"

namespace mowik {

class ReaderSpeech final : public Speaker {
 public:
  // The window that owns the error box and opens the clipboard.
  void SetOwner(HWND owner);
  // Runs each time a reading has returned to its first caller: a close asked for during it
  // can happen then (not inside the player's wait, which dispatches messages).
  void OnReadingEnded(std::function<void()> ended) { ended_ = std::move(ended); }

  void Speak(std::wstring text) override;
  // The clipboard's text; nothing when another program keeps the clipboard open.
  void ReadClipboard();
  // The selection of the program in front, copied with Ctrl+C, and the clipboard's earlier
  // text put back; the clipboard when nothing was selected.
  void ReadSelection();

  bool Speaking() const { return player_.Speaking(); }
  void Stop() { player_.StopSpeaking(); }
  void TogglePause() { player_.TogglePause(); }
  // The player, engine and voice loaded without speaking (see SampaPlayer::Preload).
  void Preload() { player_.Preload(); }
  // Ends the player's thread where the player was loaded. The last call before the end.
  void Unload() { library_.Unload(); }

 private:
  HWND owner_ = nullptr;
  MessageBoxReporter reporter_;
  VrlplayLibrary library_{reporter_};
  SampaPlayer player_{library_, reporter_};
  std::function<void()> ended_;
};

}  // namespace mowik
