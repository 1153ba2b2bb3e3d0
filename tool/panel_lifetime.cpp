// The panel thread, and the panel's lifetime that it shares with the host's
// thread: its opening, its notices to the host window, and its closing.
#include "cards/book_paths.h"
#include "framework/message_pump.h"
#include "sdk/tool_messages.h"
#include "tool/card_book_tool.h"
#include "tool/panel_messages.h"

BEGIN_MESSAGE_MAP(CCardBookTool, CCardPanel)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_RUN_ON_PANEL_THREAD, OnRunOnPanelThread)
ON_MESSAGE(WM_TOOL_OPEN_SETTINGS, OnOpenSettings)
END_MESSAGE_MAP()

bool CCardBookTool::IsPanelThread() {
  CStateLockHold hold(m_panelLock);
  return m_dwPanelThreadId != 0 && m_dwPanelThreadId == GetCurrentThreadId();
}

CCardBookTool::PanelState CCardBookTool::PanelStateNow() {
  CStateLockHold hold(m_panelLock);
  return m_ePanelState;
}

void CCardBookTool::ReleasePanelWaitingOnCaller() {
  // Which thread sent the message being answered is not known: a host call
  // that waits while the panel sends to the host is taken for an answer to
  // the panel, whose notices need no result.
  bool panelSends;
  {
    CStateLockHold hold(m_panelLock);
    panelSends = m_nPanelSendsToHost > 0;
  }
  if (panelSends && InSendMessage()) ReplyMessage(0);
}

void CCardBookTool::LockPanelSettled() {
  auto settled = [this] { return m_ePanelState == kPanelNone || m_ePanelState == kPanelOpen; };
  m_panelLock.Lock();
  if (settled()) return;
  m_panelLock.Unlock();
  ReleasePanelWaitingOnCaller();
  m_panelLock.LockWhen(settled);
}

void CCardBookTool::NotifyHost(UINT message) {
  if (m_pHostWnd == nullptr) return;
  {
    CStateLockHold hold(m_panelLock);
    ++m_nPanelSendsToHost;
  }
  ::SendMessageA(m_pHostWnd->GetSafeHwnd(), message, m_nToolNo, 0);
  CStateLockHold hold(m_panelLock);
  --m_nPanelSendsToHost;
}

UINT CCardBookTool::PanelThreadProc(LPVOID parameter) {
  auto* tool = static_cast<CCardBookTool*>(parameter);
  tool->CreatePanel(tool->GetTemplateId(), nullptr);
  MSG message = {};
  // A panel that could not be made leaves nothing to wait for.
  while (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd) && PumpMessage(message, tool)) {
  }
  if (tool->m_hWnd != nullptr && ::IsWindow(tool->m_hWnd)) ::DestroyWindow(tool->m_hWnd);
  tool->PanelEnded();
  return static_cast<UINT>(message.wParam);
}

BOOL CCardBookTool::OnInitDialog() {
  CCardPanel::OnInitDialog();
  PanelOpened();
  if (m_pHostWnd != nullptr) {
    ::PostMessageA(m_pHostWnd->GetSafeHwnd(), WM_TOOL_READY, m_nToolNo, 0);
  }
  return TRUE;
}

LRESULT CCardBookTool::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) &&
      m_pHostWnd != nullptr) {
    NotifyHost(WM_TOOL_ACTIVATED);
  }
  return CCardPanel::DefWindowProc(message, wParam, lParam);
}

void CCardBookTool::OnClose() {
  PanelClosing();
  LeaveEditMode();
  NotifyHost(WM_TOOL_CLOSING);
  DefWindowProc(WM_CLOSE, 0, 0);
  DestroyWindow();
}

void CCardBookTool::OnDestroy() {
  PanelClosing();  // when destroyed without a close
  DefWindowProc(WM_DESTROY, 0, 0);
  SaveStateHere();
  ReleasePanel();
  // Wakes the panel thread's loop, which ends once the window is gone.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void CCardBookTool::PanelOpened() {
  CStateLockHold hold(m_panelLock);
  m_ePanelState = kPanelOpen;
  m_hPanel = m_hWnd;
  m_panelLock.Changed();
}

void CCardBookTool::PanelClosing() {
  CStateLockHold hold(m_panelLock);
  if (m_ePanelState != kPanelOpen) return;
  m_ePanelState = kPanelClosing;
  m_panelLock.Changed();
}

void CCardBookTool::PanelEnded() {
  // The book has been saved: nothing of it is held any more.
  if (m_pHost != nullptr) ClearBookMark(m_pHost->GetDataDirectory(1, 0));
  DeleteBrushAndFonts();
  CStateLockHold hold(m_panelLock);
  m_ePanelState = kPanelNone;
  m_hPanel = nullptr;
  m_dwPanelThreadId = 0;
  m_panelLock.Changed();
}

bool CCardBookTool::ClaimPanelStart() {
  bool marked = false;
  for (;;) {
    LockPanelSettled();
    if (m_ePanelState == kPanelNone) {
      m_ePanelState = kPanelStarting;
      m_panelLock.Changed();
      m_panelLock.Unlock();
      return true;
    }
    if (marked) {
      m_panelLock.Unlock();
      return false;  // the panel stays: one panel
    }
    // The host may have just posted a close that still waits in the panel's
    // queue: a mark posted behind it shows whether the panel goes.
    LPARAM mark = ++m_nMarksPosted;
    HWND panel = m_hPanel;
    m_panelLock.Unlock();
    if (!::PostMessageA(panel, WM_RUN_ON_PANEL_THREAD, kRunMark, mark)) return false;
    marked = true;
    ReleasePanelWaitingOnCaller();
    m_panelLock.LockWhen([&] { return m_ePanelState != kPanelOpen || m_nMarksSeen >= mark; });
    m_panelLock.Unlock();
  }
}

void CCardBookTool::ClosePanelAndWait() {
  LockPanelSettled();
  HWND panel = m_ePanelState == kPanelOpen ? m_hPanel : nullptr;
  m_panelLock.Unlock();
  // As the user's close: the host is told and the book is saved.
  if (panel != nullptr) {
    ::PostMessageA(panel, WM_CLOSE, 0, 0);
    ReleasePanelWaitingOnCaller();
  }
  m_panelLock.LockWhen([this] { return m_ePanelState == kPanelNone; });
  m_panelLock.Unlock();
  JoinEndedPanelThread();
}

void CCardBookTool::JoinEndedPanelThread() {
  // The thread has left the panel; only its last lines are still to run.
  if (m_pThread == nullptr) return;
  WaitDeliveringSentMessages(m_pThread->m_hThread);
  delete m_pThread;
  m_pThread = nullptr;
}

CCardBookTool::~CCardBookTool() {
  // The panel thread works on this object until it ends. From the panel
  // thread itself nothing can be waited for.
  if (!IsPanelThread()) ClosePanelAndWait();
}
