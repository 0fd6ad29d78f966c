// The play thread: takes the queue's head, handles it, records its error, removes it.
#include <windows.h>

#include <exception>
#include <new>

#include "vrlplay/player.h"
#include "vrlplay/stream_file.h"
#include "vrlplay/vrlplay.h"
#include "win32/message_wait.h"

namespace mowik {

void CPlayer::PlayThread() {
  threadRunning_ = true;
  const HANDLE signals[2] = {quit_.Get(), workEvent_.Get()};
  for (;;) {
    // Idle costs nothing: the thread sleeps until a request, the quit signal or a message
    // for it arrives (an append sets the work event after the count grows, so none is missed
    // between the count's test and the wait).
    const DWORD timeout = QueueCount() != 0 ? 0 : INFINITE;
    const int woke = win32::WaitDispatching(signals, timeout);
    if (woke == 0 || woke == win32::kWaitFailed) break;
    if (CRequest* request = queue_.Head()) HandleRequest(*request);
    DispatchOwnMessages();
  }
  if (output_) {
    if (outputOpen_) output_->Stop();
    output_.reset();
    outputOpen_ = false;
  }
  if (!DatabaseId().empty()) Engine().close();
  threadRunning_ = false;
}

void CPlayer::HandleRequest(CRequest& request) {
  current_ = &request;
  const int flags = request.flags;
  ClearError();
  bool cancelled = false;
  try {
    switch (request.type) {
      case kSelectDatabase:
      case kSelectDatabaseEx:
        SelectDatabaseRequest(request.text, request.type, request.first ? request.first->c_str() : nullptr,
                              request.second ? request.second->c_str() : nullptr);
        break;
      case kPhonemeFile:
      case kCommandFile:
      case kPhonemeText:
      case kCommandText:
        HandlePlay(request);
        break;
      case kPitchRatio:
        ApplyRatio(RatioKind::kPitch, request.ratio);
        break;
      case kDurationRatio:
        ApplyRatio(RatioKind::kDuration, request.ratio);
        break;
      default:
        throw CStackError::Of(VRL_ERR_BAD_COMMAND);
    }
  } catch (const CStackError& error) {
    SetError(error);
    cancelled = error.Code() == VRL_ERR_CANCELLED;
  } catch (const std::bad_alloc&) {
    SetError(CStackError::Of(VRL_ERR_ENGINE, "out of memory"));
  }
  if (cancelled) {
    // Drops the request in progress too; a request appended after this is left for the next round.
    current_ = nullptr;
    queue_.DiscardAll();
  } else {
    if (ErrorCode() != VRL_ERR_CANCELLED && (flags & VRL_NOTIFY_QUEUE_END) && (flags & VRL_KEEP_OUTPUT) && QueueCount() == 1) {
      Notify(VRL_MSG_QUEUE_END, 0, 0);
    }
    current_ = nullptr;
    queue_.RemoveHead();
  }
  // A pause outlives neither a stop nor the end of what was queued when it was asked for.
  if (paused_.load() && (cancelled || QueueCount() == 0)) EndPause();
  // A stop asked for by a notification has done its work once the queue it dropped is gone.
  if (ownStops_.load() != 0 && (cancelled || QueueCount() == 0)) stopRequests_ -= ownStops_.exchange(0);
}

void CPlayer::HandlePlay(CRequest& request) {
  const intptr_t text = reinterpret_cast<intptr_t>(request.text.c_str());
  const intptr_t kind = RequestKind(request.flags);
  const intptr_t reply = (request.flags & VRL_NOTIFY_START) ? Notify(VRL_MSG_START, text, kind) : 0;
  std::exception_ptr failure;
  if (reply == 0) {
    try {
      RunPlay(request);
    } catch (const CStackError& error) {
      SetError(error);  // on record before the end notification, as when it was raised
      failure = std::current_exception();
    } catch (const std::bad_alloc&) {
      SetError(CStackError::Of(VRL_ERR_ENGINE, "out of memory"));
      failure = std::make_exception_ptr(CStackError::Of(VRL_ERR_ENGINE, "out of memory"));
    }
  }
  if (request.flags & VRL_NOTIFY_END) Notify(VRL_MSG_END, text, kind);
  if (failure) std::rethrow_exception(failure);
}

void CPlayer::RunPlay(CRequest& request) {
  const bool closeAtEnd = (request.flags & VRL_KEEP_OUTPUT) == 0;
  switch (request.type) {
    case kPhonemeFile:
      PlayPhonemeText(ReadStreamFile(request.text), closeAtEnd);
      break;
    case kCommandFile:
      RunCommandStream(ReadStreamFile(request.text), closeAtEnd, *this);
      break;
    case kPhonemeText:
      PlayPhonemeText(request.text, closeAtEnd);
      break;
    default:
      RunCommandStream(request.text, closeAtEnd, *this);
      break;
  }
}

void CPlayer::SelectDatabaseRequest(const std::string& id, int type, const char* first, const char* second) {
  const bool loaded = !DatabaseId().empty();
  if (loaded && outputOpen_) FlushEngine();
  const std::string path = registry_->DatabasePath(id).value_or(id);
  if (loaded) Engine().close();
  const int result = type == kSelectDatabaseEx ? Engine().initRename(path.c_str(), first, second)
                                               : Engine().init(path.c_str());
  if (result != 0) {
    SetDatabaseId(std::string());
    throw CStackError::Of(VRL_ERR_LOAD_DATABASE, id);
  }
  SetDatabaseId(id);
}

void CPlayer::ApplyRatio(RatioKind kind, float value) {
  if (outputOpen_) PlayPhonemeText(RatioLine(kind, value), false);
  (kind == RatioKind::kPitch ? pitchRatio_ : durationRatio_) = value;
}

void CPlayer::OpenOutput() {
  const CRequest* request = current_;
  const int flags = request ? request->flags : 0;
  const char* outFile = request && request->outFile ? request->outFile->c_str() : nullptr;
  OutputChecks checks;
  checks.stopRequested = [this] { return StopRequested(); };
  checks.pauseRequested = [this] { return PauseRequested(); };
  checks.waitWhilePaused = [this] { WaitWhilePaused(); };
  output_ = OpenPlayerOutput(module_, flags, outFile, Engine().getFreq(), std::move(checks));
  if (output_->Status() != 0) {
    const bool device = output_->Kind() == kDeviceOutputKind;
    throw CStackError::Of(VRL_ERR_OPEN_OUTPUT, device || outFile == nullptr ? std::string() : std::string(outFile));
  }
  outputOpen_ = true;
  PlayPhonemeText(RatioLine(RatioKind::kPitch, PitchRatio()), false);
  PlayPhonemeText(RatioLine(RatioKind::kDuration, DurationRatio()), false);
}

void CPlayer::PlayPhonemeText(const std::string& text, bool closeAtEnd) {
  try {
    if (!outputOpen_) OpenOutput();
    const int flags = current_ ? current_->flags : 0;
    ForEachLine(text, [&](std::string_view piece) {
      CheckCancelled();
      if (piece.size() > 1) {
        const std::string line(piece);
        const bool skip = (flags & VRL_NOTIFY_LINE) &&
                          Notify(VRL_MSG_LINE, reinterpret_cast<intptr_t>(line.c_str()), 0) != 0;
        if (!skip) WriteLine(line);
      }
      DispatchOwnMessages();
    });
    FlushEngine();
    if (closeAtEnd) {
      output_.reset();  // a device waits here for the end of playback, or for a stop
      outputOpen_ = false;
      CheckCancelled();  // a stop that silenced the end still cancels the request
    }
  } catch (const CStackError&) {
    if (output_) {
      if (outputOpen_) output_->Stop();
      output_.reset();
    }
    outputOpen_ = false;
    Engine().reset();
    throw;
  }
}

void CPlayer::WriteLine(const std::string& line) {
  if (Engine().write(line.c_str()) != 0) return;
  Drain();
  if (Engine().write(line.c_str()) == 0) throw CStackError::Of(VRL_ERR_WRITE);
}

void CPlayer::FlushEngine() {
  if (Engine().flush() == 0) {
    Drain();
    if (Engine().flush() == 0) throw CStackError::Of(VRL_ERR_WRITE);
  }
  Drain();
}

CStackError CPlayer::OutputWriteFailed() const {
  const CRequest* request = current_;
  if (output_ && output_->Kind() != kDeviceOutputKind && request && request->outFile) {
    return CStackError(VRL_ERR_OPEN_OUTPUT, {"Can't write device out", *request->outFile});
  }
  return CStackError(VRL_ERR_OPEN_OUTPUT, {"Can't write device out"});
}

void CPlayer::Drain() {
  const int flags = current_ ? current_->flags : 0;
  int count = Engine().read(samples_, kEngineBlockSamples);
  while (count > 0) {
    if (count > kEngineBlockSamples) count = kEngineBlockSamples;  // never past our buffer
    CheckCancelled();
    const intptr_t reply = (flags & VRL_NOTIFY_AUDIO)
                               ? Notify(VRL_MSG_AUDIO, reinterpret_cast<intptr_t>(samples_), count)
                               : 0;
    if (reply == 0 && (flags & VRL_NO_OUTPUT) == 0 && output_ &&
        !output_->Write(reinterpret_cast<const int16_t*>(samples_), count)) {
      // A stop ends the write early; anything else (a full disk) must not pass as spoken.
      CheckCancelled();
      throw OutputWriteFailed();
    }
    DispatchOwnMessages();
    count = Engine().read(samples_, kEngineBlockSamples);
  }
  if (count < 0) {
    char text[kEngineErrorTextBytes] = {};
    Engine().lastErrorStr(text, kEngineErrorTextBytes);
    text[kEngineErrorTextBytes - 1] = '\0';
    throw CStackError::Of(VRL_ERR_ENGINE, text);
  }
}

intptr_t CPlayer::Notify(unsigned offset, intptr_t first, intptr_t second) {
  const CRequest* request = current_;
  if (request == nullptr || request->target == 0) return 0;
  const unsigned message = MessageBase() + offset;
  if (request->flags & VRL_CALLBACK_FUNCTION) {
    return reinterpret_cast<VRL_NOTIFY_FUNCTION>(request->target)(message, first, second);
  }
  return SendMessageA(reinterpret_cast<HWND>(request->target), message, static_cast<WPARAM>(first),
                      static_cast<LPARAM>(second));
}

bool CPlayer::StopRequested() const { return stopRequests_.load() > 0 || QuitSignalled(); }

void CPlayer::CheckCancelled() {
  if (StopRequested()) throw CStackError::Of(VRL_ERR_CANCELLED);
}

void CPlayer::ChangeDirectory(const std::string& path) { SetCurrentDirectoryA(path.c_str()); }
void CPlayer::SetVolume(float ratio) { Engine().setVolumeRatio(ratio); }
void CPlayer::SetVoiceFreq(int frequency) { Engine().setFreq(frequency); }
void CPlayer::SetNoError(int flag) { Engine().setNoError(flag); }
void CPlayer::SelectDatabase(const std::string& id) { SelectDatabaseRequest(id, kSelectDatabase, nullptr, nullptr); }
std::string CPlayer::ReadFile(const std::string& name) { return ReadStreamFile(name); }
void CPlayer::PlayPhonemes(const std::string& text, bool closeAtEnd) { PlayPhonemeText(text, closeAtEnd); }

}  // namespace mowik
