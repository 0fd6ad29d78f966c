#pragma once
// Waiting on a thread that owns windows: while it waits, the messages sent and posted to it
// are dispatched, so that windows of the thread (and windows of other threads that send to
// it) do not hang.
#include <windows.h>

#include <span>

namespace mowik::win32 {

// Takes and dispatches every message waiting for the calling thread.
void DispatchWaitingMessages();

// Results of WaitDispatching other than the index of a signalled handle.
inline constexpr int kWaitTimedOut = -1;
inline constexpr int kWaitFailed = -2;

// Waits until one of handles is signalled, dispatching the calling thread's messages in the
// meantime without spinning; returns the index of the first signalled handle, kWaitTimedOut
// once timeoutMs have passed (INFINITE: never), or kWaitFailed when a handle cannot be waited
// for. Messages do not end the wait.
int WaitDispatching(std::span<const HANDLE> handles, DWORD timeoutMs = INFINITE);

// Waits at most timeoutMs for messages for the calling thread and dispatches them; returns as
// soon as any were dispatched (true), or false when none came in time. For a thread that polls
// a state its messages change.
bool WaitForMessages(DWORD timeoutMs);

}  // namespace mowik::win32
