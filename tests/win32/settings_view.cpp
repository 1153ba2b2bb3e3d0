#include "tests/win32/settings_view.h"

#include <fstream>
#include <sstream>

namespace {

struct WindowSearch {
  std::string caption;
  HWND found;
};

BOOL CALLBACK FindByCaption(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && search->caption == text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::vector<std::string> ListTexts(HWND list) {
  std::vector<std::string> texts;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int n = 0; n < count; ++n) {
    char text[512] = {};
    SendMessageA(list, LB_GETTEXT, n, reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

}  // namespace

void SettingsView::Click(int id) const {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool SettingsView::SelectField(const std::string& name) const {
  HWND list = GetDlgItem(window, IDC_OPT_FIELD_LIST);
  LRESULT index =
      SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
  if (index == LB_ERR) return false;
  // Posted, so that it comes after the clicks posted before it.
  PostMessageA(list, LB_SETCURSEL, index, 0);
  return true;
}

void SettingsView::AddField(const std::string& name) const {
  SelectField(name);
  Click(IDC_OPT_ADD_FIELD);
}

void SettingsView::DoubleClickField(const std::string& name) const {
  SelectField(name);
  HWND list = GetDlgItem(window, IDC_OPT_FIELD_LIST);
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_OPT_FIELD_LIST, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list));
}

void SettingsView::SelectOrderEntry(int index) const {
  PostMessageA(GetDlgItem(window, IDC_OPT_ORDER_LIST), LB_SETCURSEL, index, 0);
}

void SettingsView::ClickModeIcon() const {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_OPT_MODE_ICON, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_OPT_MODE_ICON)));
}

void SettingsView::PressKey(WPARAM key) const {
  HWND list = GetDlgItem(window, IDC_OPT_FIELD_LIST);
  PostMessageA(list, WM_KEYDOWN, key, 1);
  PostMessageA(list, WM_KEYUP, key, 0xC0000001);
}

void SettingsView::CloseBox() const { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::vector<std::string> SettingsView::Fields() const {
  return ListTexts(GetDlgItem(window, IDC_OPT_FIELD_LIST));
}

std::vector<std::string> SettingsView::Order() const {
  return ListTexts(GetDlgItem(window, IDC_OPT_ORDER_LIST));
}

std::string SettingsView::Text(int id) const {
  char text[1024] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

void SettingsView::SetText(int id, const std::string& text) const {
  SetDlgItemTextA(window, id, text.c_str());
}

HICON SettingsView::ModeIcon() const {
  return reinterpret_cast<HICON>(SendDlgItemMessageA(window, IDC_OPT_MODE_ICON, STM_GETICON, 0, 0));
}

HWND WaitForThreadWindow(DWORD threadId, const std::string& caption, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search = {caption, nullptr};
    EnumThreadWindows(threadId, FindByCaption, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (GetTickCount() - start > milliseconds) return nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

SettingsView WaitForSettings(DWORD threadId, DWORD milliseconds) {
  SettingsView view;
  view.window = WaitForThreadWindow(threadId, "アドレス帳オプション & 設定画面", milliseconds);
  return view;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
