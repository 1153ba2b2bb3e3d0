// CWinThread: a thread that runs one function. By default it deletes its own
// object when it ends, so the pointer is good only while the thread runs; an
// owner that must wait for the thread clears m_bAutoDelete before the thread
// resumes, then waits for m_hThread and deletes the object itself.
#pragma once

#include <windows.h>

typedef UINT (*AFX_THREADPROC)(LPVOID parameter);

class CWinThread {
 public:
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;
  // Only for an object whose thread has ended and that does not delete itself.
  ~CWinThread();

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  BOOL m_bAutoDelete = TRUE;

  // Objects not yet deleted, for the tests of the self-deletion.
  static LONG LiveCount();

 private:
  friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD);
  CWinThread(AFX_THREADPROC proc, LPVOID parameter);
  static DWORD WINAPI Start(LPVOID self);

  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
};

// Starts proc(parameter) on a new thread; null when no thread could start.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter,
                           int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD flags = 0);
