#include "framework/state_lock.h"

namespace {

// A change missed by a wake-up race is still seen this late.
constexpr DWORD kRecheckMilliseconds = 100;

}  // namespace

DWORD WaitDeliveringSentMessages(HANDLE object, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    // Sent messages that came before the wait would not wake it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD elapsed = GetTickCount() - start;
    DWORD left = milliseconds == INFINITE  ? INFINITE
                 : elapsed >= milliseconds ? 0
                                           : milliseconds - elapsed;
    DWORD result = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) return result;
  }
}

CStateLock::CStateLock() : m_hChanged(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  InitializeCriticalSection(&m_section);
}

CStateLock::~CStateLock() {
  DeleteCriticalSection(&m_section);
  if (m_hChanged != nullptr) CloseHandle(m_hChanged);
}

void CStateLock::Changed() {
  ++m_nGeneration;
  SetEvent(m_hChanged);
}

void CStateLock::WaitForChange() {
  unsigned seen = m_nGeneration;
  for (;;) {
    ResetEvent(m_hChanged);
    Unlock();
    if (m_hChanged != nullptr) {
      WaitDeliveringSentMessages(m_hChanged, kRecheckMilliseconds);
    } else {
      WaitDeliveringSentMessages(GetCurrentProcess(), kRecheckMilliseconds);
    }
    Lock();
    if (m_nGeneration != seen) return;
  }
}
