#include "framework/cwin_thread.h"

namespace {
LONG g_live = 0;
}

LONG CWinThread::LiveCount() { return InterlockedCompareExchange(&g_live, 0, 0); }

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID parameter)
    : m_pfnThreadProc(proc), m_pThreadParams(parameter) {
  InterlockedIncrement(&g_live);
}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
  InterlockedDecrement(&g_live);
}

DWORD WINAPI CWinThread::Start(LPVOID self) {
  auto* thread = static_cast<CWinThread*>(self);
  UINT result = static_cast<UINT>(-1);
  try {
    result = thread->m_pfnThreadProc(thread->m_pThreadParams);
  } catch (...) {
    // Nothing may unwind out of a thread.
  }
  if (thread->m_bAutoDelete) delete thread;
  return result;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority, UINT stackSize,
                           DWORD flags) {
  auto* thread = new CWinThread(proc, parameter);
  thread->m_hThread = CreateThread(nullptr, stackSize, &CWinThread::Start, thread, CREATE_SUSPENDED,
                                   &thread->m_nThreadID);
  if (thread->m_hThread == nullptr) {
    delete thread;
    return nullptr;
  }
  SetThreadPriority(thread->m_hThread, priority);
  if ((flags & CREATE_SUSPENDED) == 0) ResumeThread(thread->m_hThread);
  return thread;
}
