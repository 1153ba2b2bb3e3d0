// CWnd: a C++ object bound to one window. The binding is made when the
// window is created (the object travels as the create parameter) and undone
// when the window or the object goes.
#pragma once

#include <windows.h>

#include "framework/message_map.h"

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  BOOL IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

  // Routes a message through the message table; unhandled messages go to
  // DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Offered each message of the thread's loop before dispatch; TRUE when
  // the message has been dealt with.
  virtual BOOL PreTranslateMessage(MSG* message);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL DestroyWindow();
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  // A modal message box owned by this window; without a caption it carries
  // the application's name. Named apart from the system's MessageBox, which
  // a member of that name would hide in every window class.
  int ShowMessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

  // Creates a top-level or child window of a registered class, bound to this.
  BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu);

  HWND m_hWnd = nullptr;

 protected:
  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;
  // Called once the window is gone and the binding undone.
  virtual void PostNcDestroy() {}

  // Registers (once) a window class whose procedure dispatches to CWnd.
  static const char* RegisterWindowClass(const char* name, HBRUSH background);

  // What the window procedure of a plain window does for every message.
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Set while a message is handled by default processing rather than a
  // table entry.
  bool m_bDefaultProcessing = false;
};
