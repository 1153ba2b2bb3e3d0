#include "host/host_window.h"

#include <stdio.h>

#include "framework/cwin_app.h"
#include "framework/message_pump.h"
#include "sdk/tool_messages.h"

namespace {

constexpr UINT kOpenPanelButton = 101;
constexpr UINT kSettingsButton = 102;

}  // namespace

HWND MakeChild(HWND parent, const char* className, const char* text, DWORD style, UINT id) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                               parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               AfxGetResourceHandle(), nullptr);
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (lstrcmpiA(className, "LISTBOX") == 0) {
    // A line as high as the face cuts off what some faces draw below it,
    // underscores first: the log would read "WM TOOL READY".
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    SendMessageA(child, LB_SETITEMHEIGHT, 0, metrics.tmHeight + metrics.tmExternalLeading + 2);
  }
  return child;
}

BEGIN_MESSAGE_MAP(CHostWindow, CWnd)
ON_MESSAGE(WM_CREATE, OnCreate)
ON_MESSAGE(WM_SIZE, OnSize)
ON_MESSAGE(WM_TOOL_ACTIVATED, OnToolActivated)
ON_MESSAGE(WM_TOOL_READY, OnToolReady)
ON_MESSAGE(WM_TOOL_CLOSING, OnToolClosing)
ON_MESSAGE(WM_TOOL_SEARCH_RESULT, OnSearchResult)
ON_BN_CLICKED(kOpenPanelButton, OnOpenPanel)
ON_BN_CLICKED(kSettingsButton, OnOpenSettings)
ON_BN_CLICKED(kSearchButton, OnSearch)
ON_BN_CLICKED(kStopSearchButton, OnStopSearch)
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CHostWindow::CreateMain(const char* title) {
  const char* cls = RegisterWindowClass("ScribellaHostWindow", GetSysColorBrush(COLOR_BTNFACE));
  return CreateEx(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 780, 40, 490, 600, nullptr,
                  nullptr);
}

LRESULT CHostWindow::OnCreate(WPARAM, LPARAM) {
  MakeChild(m_hWnd, "BUTTON", "パネルを開く", BS_PUSHBUTTON | WS_TABSTOP, kOpenPanelButton);
  MakeChild(m_hWnd, "BUTTON", "設定画面", BS_PUSHBUTTON | WS_TABSTOP, kSettingsButton);
  m_hHistory = MakeChild(m_hWnd, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0);
  m_hLog = MakeChild(m_hWnd, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0);
  CreateSearchControls();
  return 0;
}

LRESULT CHostWindow::OnSize(WPARAM, LPARAM lParam) {
  int width = LOWORD(lParam);
  int height = HIWORD(lParam);
  MoveWindow(GetDlgItem(m_hWnd, kOpenPanelButton), 8, 8, 120, 26, TRUE);
  MoveWindow(GetDlgItem(m_hWnd, kSettingsButton), 136, 8, 120, 26, TRUE);
  MoveWindow(m_hHistory, 8, 42, width - 16, 70, TRUE);
  int resultsHeight = (height - 160) / 2;
  PlaceSearchControls(120, width);
  MoveWindow(m_hResults, 8, 152, width - 16, resultsHeight, TRUE);
  int logTop = 152 + resultsHeight + 8;
  MoveWindow(m_hLog, 8, logTop, width - 16, height - logTop - 8, TRUE);
  return 0;
}

void CHostWindow::AttachTool(CToolBase* tool) {
  m_pTool = tool;
  char title[128];
  snprintf(title, sizeof title, "ScribellaHost - %s (%u)", tool->GetToolName(),
           tool->GetTemplateId());
  SetWindowText(title);
  for (int i = 0; i < tool->m_history.GetSize(); ++i) {
    ::SendMessageA(m_hHistory, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(static_cast<const char*>(tool->m_history[i])));
  }
}

void CHostWindow::Log(const char* text) {
  LRESULT index = ::SendMessageA(m_hLog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  ::SendMessageA(m_hLog, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CHostWindow::LogNotice(const char* name, WPARAM wParam, LPARAM lParam) {
  char line[128];
  SYSTEMTIME now;
  GetLocalTime(&now);
  snprintf(line, sizeof line, "%02d:%02d:%02d %s wParam=%u lParam=%ld", now.wHour, now.wMinute,
           now.wSecond, name, static_cast<unsigned>(wParam), static_cast<long>(lParam));
  Log(line);
}

LRESULT CHostWindow::OnToolActivated(WPARAM w, LPARAM l) {
  LogNotice("WM_TOOL_ACTIVATED", w, l);
  return 0;
}

LRESULT CHostWindow::OnToolReady(WPARAM w, LPARAM l) {
  LogNotice("WM_TOOL_READY", w, l);
  if (m_bSettingsWhenReady) {
    m_bSettingsWhenReady = false;
    OnOpenSettings();
  }
  return 0;
}

LRESULT CHostWindow::OnToolClosing(WPARAM w, LPARAM l) {
  LogNotice("WM_TOOL_CLOSING", w, l);
  return 0;
}

void CHostWindow::OpenPanel() {
  if (m_pTool != nullptr) m_pTool->StartPanel();
}

void CHostWindow::OnOpenPanel() { OpenPanel(); }

void CHostWindow::OnOpenSettings() {
  HWND panel = m_pTool ? m_pTool->GetSafeHwnd() : nullptr;
  if (panel == nullptr || !::IsWindow(panel)) {
    Log("パネルが開いていません");
    return;
  }
  ::SendMessageA(panel, WM_TOOL_OPEN_SETTINGS, 0, 0);
}

void CHostWindow::OnClose() {
  if (m_bSearching) {
    // The search is still on the stack below this message: end it first.
    m_request.bStop = 1;
    m_bCloseAfterSearch = true;
    return;
  }
  // The tool must not go while its panel is open: close the panel first and
  // wait for its thread, answering its notices meanwhile.
  HWND panel = m_pTool ? m_pTool->GetSafeHwnd() : nullptr;
  if (panel != nullptr && ::IsWindow(panel)) {
    ::PostMessageA(panel, WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && ::IsWindow(panel) && PumpWaitingMessages(); ++i) Sleep(10);
  }
  DestroyWindow();
}

void CHostWindow::OnDestroy() { PostQuitMessage(0); }

void CHostWindow::PostNcDestroy() {}
