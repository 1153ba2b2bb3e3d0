// The thread's message loop, one message at a time. Messages are fetched and
// dispatched in their Unicode form: fetched as ANSI, a typed or composed
// double-byte character reaches an edit control as two characters of one
// byte each, which it shows and stores as two wrong ones. The windows stay
// ANSI windows; the system turns each message into their code page as it
// hands it over.
#pragma once

#include <windows.h>

class CWnd;

// Waits for the next message of this thread and hands it on: to window's
// PreTranslateMessage first when a window is given, then translated and
// dispatched. False at WM_QUIT or when the queue is gone.
bool PumpMessage(MSG& message, CWnd* window = nullptr);

// Hands on every message already waiting, without waiting for more. False
// when a WM_QUIT came, which is posted again for the loop that owns the
// thread.
bool PumpWaitingMessages(CWnd* window = nullptr);
