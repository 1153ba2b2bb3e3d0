#include "tests/win32/group_dialog_view.h"

namespace {

struct DialogSearch {
  const char* title;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  char name[16] = {};
  char text[256] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, text, sizeof text);
  if (std::string(name) != "#32770" || std::string(text) != search->title) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND Search(DWORD threadId, const char* title, bool visibleOnly) {
  DialogSearch search = {title, visibleOnly, nullptr};
  EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage,
                               UINT textMessage) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendMessageA(control, countMessage, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string text(SendMessageA(control, lengthMessage, i, 0) + 1, '\0');
    SendMessageA(control, textMessage, i, reinterpret_cast<LPARAM>(&text[0]));
    items.push_back(text.c_str());
  }
  return items;
}

}  // namespace

HWND FindDialog(DWORD threadId, const char* title) { return Search(threadId, title, false); }

HWND WaitForDialog(DWORD threadId, const char* title, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start <= milliseconds) {
    if (HWND found = Search(threadId, title, true)) return found;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  return nullptr;
}

std::vector<std::string> ListBoxItems(HWND list) {
  return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> ComboBoxItems(HWND combo) {
  return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void PostClick(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostKey(HWND control, UINT key) {
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

void SelectListItem(HWND dialog, int listId, int index) {
  HWND list = GetDlgItem(dialog, listId);
  SendMessageA(list, LB_SETCURSEL, index, 0);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}
