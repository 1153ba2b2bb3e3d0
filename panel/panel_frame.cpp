// The panel's keys, its activation notice to the host, and its closing.
#include "sdk/tool_messages.h"
#include "tool/card_book_tool.h"
#include "tool/panel_messages.h"

BEGIN_MESSAGE_MAP(CCardBookTool, CToolBase)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_RUN_ON_PANEL_THREAD, OnRunOnPanelThread)
END_MESSAGE_MAP()

BOOL CCardBookTool::PreTranslateMessage(MSG* message) {
  // Return and Escape never close the panel nor press a button.
  if (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE) return TRUE;
  return CToolBase::PreTranslateMessage(message);
}

LRESULT CCardBookTool::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) &&
      m_pHostWnd != nullptr) {
    ::SendMessageA(m_pHostWnd->GetSafeHwnd(), WM_TOOL_ACTIVATED, m_nToolNo, 0);
  }
  return CToolBase::DefWindowProc(message, wParam, lParam);
}

void CCardBookTool::OnClose() {
  m_bEditing = 0;
  if (m_pHostWnd != nullptr)
    ::SendMessageA(m_pHostWnd->GetSafeHwnd(), WM_TOOL_CLOSING, m_nToolNo, 0);
  DefWindowProc(WM_CLOSE, 0, 0);
  DestroyWindow();
}

void CCardBookTool::OnDestroy() {
  DefWindowProc(WM_DESTROY, 0, 0);
  SaveStateHere();
  FreePanelResources();
  // Wakes the panel thread's loop, which ends once the window is gone.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}
