// What the panel does before the user sees it.
#include <stdlib.h>

#include "framework/cwin_app.h"
#include "framework/module.h"
#include "sdk/tool_messages.h"
#include "tool/card_book_tool.h"
#include "tool/tool_ids.h"

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;

int ReadIntSetting(HostServices* host, int section, const char* key) {
  char value[kSettingValueSize] = {};
  if (host != nullptr) host->ReadSetting(section, key, value);
  value[kSettingValueSize - 1] = '\0';
  return atoi(value);
}

}  // namespace

BOOL CCardBookTool::OnInitDialog() {
  CDialog::OnInitDialog();
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PANEL));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
  int x = ReadIntSetting(m_pHost, m_nToolNo, "WndPosX");
  int y = ReadIntSetting(m_pHost, m_nToolNo, "WndPosY");
  MoveWindow(m_hWnd, x, y, frame.right - frame.left, frame.bottom - frame.top, TRUE);
  SetWindowText("アドレス帳");

  LoadCards();
  LoadGroupList();

  if (m_pHostWnd != nullptr) {
    ::PostMessageA(m_pHostWnd->GetSafeHwnd(), WM_TOOL_READY, m_nToolNo, 0);
  }
  return TRUE;
}
