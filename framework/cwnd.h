// CWnd: a C++ object bound to one window. The binding is made when the
// window is created (the object travels as the create parameter) and undone
// when the window or the object goes. Its messages and control notifications
// reach member handlers through a static table per window class, which
// falls back to its base's.
#pragma once

#include <windows.h>

class CWnd;

typedef LRESULT (*MessageThunk)(CWnd* window, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
  UINT message;  // 0 ends the table
  UINT code;     // notification code for WM_COMMAND and WM_NOTIFY
  UINT id;       // control ID for WM_COMMAND and WM_NOTIFY
  MessageThunk thunk;
};

struct MessageMap {
  const MessageMap* (*base)();
  const MessageEntry* entries;
};

// The entry that handles a message, searching the class's table and then its
// bases'; null when none does.
const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam,
                                     LPARAM lParam);

namespace message_thunks {

template <class T, LRESULT (T::*F)(WPARAM, LPARAM)>
LRESULT Message(CWnd* w, WPARAM wParam, LPARAM lParam) {
  return (static_cast<T*>(w)->*F)(wParam, lParam);
}

template <class T, void (T::*F)()>
LRESULT Void(CWnd* w, WPARAM, LPARAM) {
  (static_cast<T*>(w)->*F)();
  return 0;
}

template <class T, void (T::*F)(NMHDR*, LRESULT*)>
LRESULT Notify(CWnd* w, WPARAM, LPARAM lParam) {
  LRESULT result = 0;
  (static_cast<T*>(w)->*F)(reinterpret_cast<NMHDR*>(lParam), &result);
  return result;
}

}  // namespace message_thunks

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const MessageMap* GetThisMessageMap(); \
  const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                                 \
    typedef theClass ThisClass;                                                     \
    typedef baseClass TheBaseClass;                                                 \
    static const MessageEntry entries[] = {
#define END_MESSAGE_MAP()                                                    \
  { 0, 0, 0, nullptr }                                                       \
  }                                                                          \
  ;                                                                          \
  static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

#define ON_MESSAGE(message, handler) \
  {message, 0, 0, &message_thunks::Message<ThisClass, &ThisClass::handler>},
#define ON_MESSAGE_VOID(message, handler) \
  {message, 0, 0, &message_thunks::Void<ThisClass, &ThisClass::handler>},
#define ON_COMMAND_CODE(id, code, handler) \
  {WM_COMMAND, code, id, &message_thunks::Void<ThisClass, &ThisClass::handler>},
#define ON_BN_CLICKED(id, handler) ON_COMMAND_CODE(id, BN_CLICKED, handler)
#define ON_STN_CLICKED(id, handler) ON_COMMAND_CODE(id, STN_CLICKED, handler)
#define ON_COMMAND(id, handler) ON_COMMAND_CODE(id, 0, handler)
#define ON_NOTIFY(code, id, handler) \
  {WM_NOTIFY, static_cast<UINT>(code), id, &message_thunks::Notify<ThisClass, &ThisClass::handler>},
#define ON_WM_CLOSE() ON_MESSAGE_VOID(WM_CLOSE, OnClose)
#define ON_WM_DESTROY() ON_MESSAGE_VOID(WM_DESTROY, OnDestroy)

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
  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
  void SetFont(HFONT font, BOOL redraw = TRUE) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
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
