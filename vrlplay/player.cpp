#include "vrlplay/player.h"

#include <windows.h>

namespace mowik {
namespace {

HANDLE Handle(void* handle) { return static_cast<HANDLE>(handle); }

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Waits for one of the handles, dispatching the calling thread's messages (sent ones too) in
// the meantime; returns the index of the signalled handle.
DWORD WaitDispatching(DWORD count, const HANDLE* handles) {
  for (;;) {
    DispatchWaitingMessages();
    const DWORD result = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result < WAIT_OBJECT_0 + count) return result - WAIT_OBJECT_0;
    if (result == WAIT_FAILED) return count;
  }
}

}  // namespace

CPlayer::CPlayer(void* moduleInstance)
    : module_(moduleInstance), queue_([this](size_t count) {
        // Under the queue's lock: only event changes, no waits.
        if (count == 0) {
          if (emptyEvent_) SetEvent(Handle(emptyEvent_));
        } else {
          if (emptyEvent_) ResetEvent(Handle(emptyEvent_));
          if (workEvent_) SetEvent(Handle(workEvent_));
        }
      }) {
  try {
    registry_ = std::make_unique<CDatabaseRegistry>();
    if (registry_->Status() != 0) throw CStackError::Of(-10);
    if (!engine_.Load()) throw CStackError::Of(-11);
    quit_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    emptyEvent_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    workEvent_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!quit_ || !emptyEvent_ || !workEvent_) throw CStackError::Of(-9);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, &id);
    if (thread == nullptr) throw CStackError::Of(-8);
    thread_ = thread;
    threadId_ = id;
    ResumeThread(thread);
  } catch (const CStackError& error) {
    SetError(error);
  }
}

CPlayer::~CPlayer() {
  if (quit_) CloseHandle(Handle(quit_));
  engine_.Unload();
  registry_.reset();
  if (thread_) CloseHandle(Handle(thread_));
  ClearError();
  queue_.DiscardAll();
  if (emptyEvent_) CloseHandle(Handle(emptyEvent_));
  if (workEvent_) CloseHandle(Handle(workEvent_));
  emptyEvent_ = workEvent_ = nullptr;
}

void CPlayer::Shutdown() {
  if (thread_ == nullptr) return;
  SetEvent(Handle(quit_));
  if (GetCurrentThreadId() == threadId_) return;
  // Wait for the thread itself to end: a flag it sets when it starts could still be clear.
  HANDLE thread = Handle(thread_);
  WaitDispatching(1, &thread);
}

unsigned long __stdcall CPlayer::ThreadMain(void* player) {
  static_cast<CPlayer*>(player)->PlayThread();
  return 0;
}

int CPlayer::WaitForEmpty() {
  if (thread_ == nullptr || GetCurrentThreadId() == threadId_) return ErrorCode();
  HANDLE handles[2] = {Handle(emptyEvent_), Handle(thread_)};
  while (QueueCount() != 0) {
    if (WaitDispatching(2, handles) != 0) break;  // the play thread is gone
  }
  return ErrorCode();
}

std::optional<std::string> CPlayer::ErrorMessage() {
  std::lock_guard<std::mutex> guard(errorLock_);
  return errorMessage_;
}

void CPlayer::RecordArgumentError(const CStackError& error) {
  if (thread_ == nullptr) return;
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

bool CPlayer::OnPlayThread() const { return thread_ != nullptr && GetCurrentThreadId() == threadId_; }

bool CPlayer::QuitSignalled() const { return quit_ && WaitForSingleObject(Handle(quit_), 0) == WAIT_OBJECT_0; }

void CPlayer::DispatchOwnMessages() { DispatchWaitingMessages(); }

}  // namespace mowik
