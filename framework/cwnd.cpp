#include "framework/cwnd.h"

#include "framework/cwin_app.h"

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (entry.message != message) return false;
  if (message == WM_COMMAND) {
    return entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam);
  }
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return header != nullptr && entry.id == header->idFrom && entry.code == header->code;
  }
  return true;
}

}  // namespace

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  for (; map != nullptr; map = map->base ? map->base() : nullptr) {
    for (const MessageEntry* entry = map->entries; entry && entry->message != 0; ++entry) {
      if (Matches(*entry, message, wParam, lParam)) return entry;
    }
  }
  return nullptr;
}

const MessageMap* CWnd::GetThisMessageMap() {
  static const MessageEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CWnd::~CWnd() {
  // The window may outlive its object: leave it with no object to call.
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd) &&
      reinterpret_cast<CWnd*>(GetWindowLongPtrA(m_hWnd, GWLP_USERDATA)) == this) {
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam, lParam)) {
    return entry->thunk(this, wParam, lParam);
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  m_bDefaultProcessing = true;
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

int CWnd::ShowMessageBox(const char* text, const char* caption, UINT type) {
  if (caption == nullptr && AfxGetApp() != nullptr) caption = AfxGetApp()->m_pszAppName;
  return ::MessageBoxA(m_hWnd, text, caption, type);
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu) {
  HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                              AfxGetResourceHandle(), this);
  return hwnd != nullptr;
}

const char* CWnd::RegisterWindowClass(const char* name, HBRUSH background) {
  WNDCLASSA existing;
  if (GetClassInfoA(AfxGetResourceHandle(), name, &existing)) return name;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = AfxGetResourceHandle();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassA(&wc) ? name : nullptr;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<CWnd*>(create->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self != nullptr) self->m_hWnd = hwnd;
  }
  auto* self = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->WindowProc(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's code.
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hWnd = nullptr;
    self->PostNcDestroy();
  }
  return result;
}
