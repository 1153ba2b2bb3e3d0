#include "tests/win32/message_box.h"

#include <gtest/gtest.h>

#include "tests/win32/test_host.h"

namespace {

// The text control of the system's message box template.
constexpr int kTextControl = 0xFFFF;

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string IconName(HWND box) {
  HWND control = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
  if (control == nullptr) return "none";
  auto icon = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
  if (icon == nullptr) return "none";
  if (icon == LoadIconA(nullptr, IDI_HAND)) return "stop";
  if (icon == LoadIconA(nullptr, IDI_QUESTION)) return "question";
  if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return "exclamation";
  if (icon == LoadIconA(nullptr, IDI_ASTERISK)) return "information";
  return "other";
}

}  // namespace

bool MessageBoxView::Has(int buttonId) const {
  return window != nullptr && GetDlgItem(window, buttonId) != nullptr;
}

void MessageBoxView::Press(int buttonId) const {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, buttonId)));
}

MessageBoxView WaitForMessageBox(DWORD threadId, DWORD milliseconds) {
  MessageBoxView view;
  DWORD start = GetTickCount();
  while (GetTickCount() - start <= milliseconds) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&found));
    if (found != nullptr && GetDlgItem(found, kTextControl) != nullptr) {
      view.window = found;
      view.caption = WindowText(found);
      view.text = WindowText(GetDlgItem(found, kTextControl));
      view.icon = IconName(found);
      return view;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  return view;
}

std::string AnswerMessageBox(TestHost& host, DWORD threadId, const std::string& caption) {
  MessageBoxView box = WaitForMessageBox(threadId);
  if (box.window == nullptr) return "no box";
  EXPECT_EQ(caption, box.caption);
  box.Press(IDOK);
  host.WaitFor([&] { return !IsWindow(box.window); });
  return box.icon + ": " + box.text;
}
