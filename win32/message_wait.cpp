#include "win32/message_wait.h"

namespace mowik::win32 {

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int WaitDispatching(std::span<const HANDLE> handles, DWORD timeoutMs) {
  if (handles.size() >= MAXIMUM_WAIT_OBJECTS) return kWaitFailed;
  const DWORD count = static_cast<DWORD>(handles.size());
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    DispatchWaitingMessages();
    DWORD left = INFINITE;
    if (timeoutMs != INFINITE) {
      const ULONGLONG passed = GetTickCount64() - start;
      if (passed >= timeoutMs) left = 0;
      else left = static_cast<DWORD>(timeoutMs - passed);
    }
    // MWMO_INPUTAVAILABLE: messages already seen but not yet taken wake the wait too.
    const DWORD result = MsgWaitForMultipleObjectsEx(count, handles.data(), left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result < WAIT_OBJECT_0 + count) return static_cast<int>(result - WAIT_OBJECT_0);
    if (result == WAIT_OBJECT_0 + count) {
      if (left == 0) {
        DispatchWaitingMessages();
        return kWaitTimedOut;
      }
      continue;  // a message: dispatch it and wait again
    }
    if (result == WAIT_TIMEOUT) return kWaitTimedOut;
    return kWaitFailed;  // WAIT_FAILED, or an abandoned mutex we do not use
  }
}

bool WaitForMessages(DWORD timeoutMs) {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    const DWORD result = MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result != WAIT_OBJECT_0) {
      DispatchWaitingMessages();  // sent messages may have been delivered during the wait
      return false;
    }
  }
  DispatchWaitingMessages();
  return true;
}

}  // namespace mowik::win32
