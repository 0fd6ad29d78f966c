#include "mowik/shell/windows/reader_speech.h"

#include <optional>

#include "mowik/frontend/speak_text.h"
#include "mowik/platform/current_options.h"
#include "mowik/shell/windows/clipboard_text.h"

namespace mowik {

void ReaderSpeech::SetOwner(HWND owner) {
  owner_ = owner;
  reporter_.SetOwner(owner);
}

void ReaderSpeech::Speak(std::wstring text) {
  SpeakText(text, CurrentNormaliseOptions(), player_, PhonemeList());
  if (player_.Speaking()) return;  // an inner reading, dropped: the outer one is still in its wait
  if (ended_) ended_();
}

void ReaderSpeech::ReadClipboard() {
  if (std::optional<std::wstring> text = ReadClipboardText(owner_)) Speak(std::move(*text));
}

void ReaderSpeech::ReadSelection() {
  const std::optional<std::wstring> earlier = ReadClipboardText(owner_);
  std::optional<std::wstring> selection = CopySelection(owner_);
  if (!selection) return ReadClipboard();
  // The user's clipboard as it was: only its text can be put back.
  if (earlier && !earlier->empty()) WriteClipboardText(owner_, *earlier);
  Speak(std::move(*selection));
}

}  // namespace mowik
