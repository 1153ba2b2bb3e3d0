// A static table per window class that routes messages and control
// notifications to member handlers; a class's table falls back to its base's.
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
