#include "vrlplay/player.h"

#include "vrlplay/vrlplay.h"
#include "win32/message_wait.h"

namespace mowik {

CPlayer::CPlayer(HMODULE module)
    : module_(module), queue_([this](size_t count) {
        // Under the queue's lock: only event changes, no waits.
        if (count == 0) {
          if (emptyEvent_) SetEvent(emptyEvent_.Get());
        } else {
          if (emptyEvent_) ResetEvent(emptyEvent_.Get());
          if (workEvent_) SetEvent(workEvent_.Get());
        }
      }) {
  try {
    registry_ = std::make_unique<CDatabaseRegistry>();
    if (registry_->Status() != 0) throw CStackError::Of(VRL_ERR_REGISTRY);
    if (!engine_.Load()) throw CStackError::Of(VRL_ERR_NO_ENGINE);
    quit_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    emptyEvent_.Reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    workEvent_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    pauseChanged_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!quit_ || !emptyEvent_ || !workEvent_ || !pauseChanged_) throw CStackError::Of(VRL_ERR_RESOURCE);
    DWORD id = 0;
    win32::ScopedHandle thread(CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, &id));
    if (!thread) throw CStackError::Of(VRL_ERR_THREAD);
    thread_ = std::move(thread);
    threadId_ = id;
    ResumeThread(thread_.Get());
  } catch (const CStackError& error) {
    SetError(error);
  }
}

CPlayer::~CPlayer() {
  quit_.Reset();
  engine_.Unload();
  registry_.reset();
  thread_.Reset();
  ClearError();
  queue_.DiscardAll();
  emptyEvent_.Reset();
  workEvent_.Reset();
  pauseChanged_.Reset();
}

bool CPlayer::Pause() {
  if (queue_.Count() == 0) return false;
  paused_ = true;
  return true;
}

bool CPlayer::Resume() {
  if (queue_.Count() == 0 && !paused_.load()) return false;
  EndPause();
  return true;
}

void CPlayer::EndPause() {
  paused_ = false;
  WakeFromPause();
}

void CPlayer::WaitWhilePaused() {
  const HANDLE signals[2] = {quit_.Get(), pauseChanged_.Get()};
  while (PauseRequested()) {
    const int woke = win32::WaitDispatching(signals, INFINITE);
    if (woke == 0 || woke == win32::kWaitFailed) break;
  }
}

void CPlayer::Shutdown() {
  if (!thread_) return;
  SetEvent(quit_.Get());
  if (GetCurrentThreadId() == threadId_) return;
  // Wait for the thread itself to end: a flag it sets when it starts could still be clear.
  const HANDLE thread[] = {thread_.Get()};
  win32::WaitDispatching(thread);
}

DWORD WINAPI CPlayer::ThreadMain(void* player) {
  static_cast<CPlayer*>(player)->PlayThread();
  return 0;
}

int CPlayer::WaitForEmpty() {
  if (!thread_ || GetCurrentThreadId() == threadId_) return ErrorCode();
  const HANDLE handles[] = {emptyEvent_.Get(), thread_.Get()};
  while (QueueCount() != 0) {
    if (win32::WaitDispatching(handles) != 0) break;  // the play thread is gone
  }
  return ErrorCode();
}

std::optional<std::string> CPlayer::ErrorMessage() {
  std::lock_guard<std::mutex> guard(errorLock_);
  return errorMessage_;
}

void CPlayer::RecordArgumentError(const CStackError& error) {
  if (!thread_) return;
  SetError(error);
}

void CPlayer::SetError(const CStackError& error) {
  std::lock_guard<std::mutex> guard(errorLock_);
  errorMessage_ = error.Message();
  errorCode_ = error.Code();
}

void CPlayer::ClearError() {
  std::lock_guard<std::mutex> guard(errorLock_);
  errorMessage_.reset();
  errorCode_ = 0;
}

std::string CPlayer::DatabaseId() {
  std::lock_guard<std::mutex> guard(databaseIdLock_);
  return databaseId_;
}

void CPlayer::SetDatabaseId(const std::string& id) {
  std::lock_guard<std::mutex> guard(databaseIdLock_);
  databaseId_ = id.substr(0, 259);
}

bool CPlayer::OnPlayThread() const { return thread_ && GetCurrentThreadId() == threadId_; }

bool CPlayer::QuitSignalled() const { return quit_ && WaitForSingleObject(quit_.Get(), 0) == WAIT_OBJECT_0; }

void CPlayer::DispatchOwnMessages() { win32::DispatchWaitingMessages(); }

}  // namespace mowik
