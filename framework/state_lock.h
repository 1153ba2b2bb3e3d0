// A lock over a few fields that two threads share, and a wait for a change of
// them. A thread that owns windows must keep answering the messages that
// other threads send to it while it waits: the thread it waits for may be
// sending to one of its windows and waiting for the answer.
#pragma once

#include <windows.h>

// Waits for the object (a thread, an event) while delivering the messages
// sent to this thread; posted messages stay queued.
DWORD WaitDeliveringSentMessages(HANDLE object, DWORD milliseconds = INFINITE);

class CStateLock {
 public:
  CStateLock();
  ~CStateLock();
  CStateLock(const CStateLock&) = delete;
  CStateLock& operator=(const CStateLock&) = delete;

  void Lock() { EnterCriticalSection(&m_section); }
  void Unlock() { LeaveCriticalSection(&m_section); }
  // Called with the lock held after a change: wakes the threads in LockWhen.
  void Changed();

  // Returns holding the lock once ready() holds; ready() runs under it.
  template <class Ready>
  void LockWhen(Ready ready) {
    Lock();
    while (!ready()) WaitForChange();
  }

 private:
  // Held on entry and on return; free while waiting.
  void WaitForChange();

  CRITICAL_SECTION m_section;
  HANDLE m_hChanged;  // manual reset: set by a change, reset by a waiter that saw none
  unsigned m_nGeneration = 0;
};

// The lock held for one scope.
class CStateLockHold {
 public:
  explicit CStateLockHold(CStateLock& lock) : m_lock(lock) { m_lock.Lock(); }
  ~CStateLockHold() { m_lock.Unlock(); }
  CStateLockHold(const CStateLockHold&) = delete;
  CStateLockHold& operator=(const CStateLockHold&) = delete;

 private:
  CStateLock& m_lock;
};
