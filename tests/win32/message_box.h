// Finds the message box that a thread shows, reads it, and answers it the
// way a user's click does (posted: the box runs its own modal loop).
#pragma once

#include <windows.h>

#include <string>

struct MessageBoxView {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  std::string icon;  // "stop", "question", "exclamation", "information" or "none"
  bool Has(int buttonId) const;
  void Press(int buttonId) const;  // IDOK, IDYES, IDNO, IDCANCEL
};

// The message box shown by the given thread, or an empty view after the
// time runs out; pumps the calling thread's messages while it waits.
MessageBoxView WaitForMessageBox(DWORD threadId, DWORD milliseconds = 5000);

class TestHost;

// The thread's next box as "icon: text" (or "no box"), answered with OK
// once read; its caption must be the one given.
std::string AnswerMessageBox(TestHost& host, DWORD threadId, const std::string& caption);
