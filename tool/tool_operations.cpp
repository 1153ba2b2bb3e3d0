// The operations that the host calls: starting the panel and saving state,
// carried over to the panel thread while a panel is open.
#include <stdio.h>

#include "cards/book_paths.h"
#include "tool/card_book_tool.h"
#include "tool/panel_messages.h"

LRESULT CCardBookTool::OnRunOnPanelThread(WPARAM operation, LPARAM argument) {
  if (operation == kRunMark) {
    CStateLockHold hold(m_panelLock);
    if (argument > m_nMarksSeen) m_nMarksSeen = argument;
    m_panelLock.Changed();
    return 0;
  }
  auto* call = reinterpret_cast<PanelCall*>(argument);
  // Once the close has begun the caller waits for its end instead.
  if (call == nullptr || PanelStateNow() != kPanelOpen) return 0;
  switch (operation) {
    case kRunSaveState:
      call->result = SaveStateHere();
      break;
    case kRunOpenSettings:
      call->result = OpenSettingsHere(true);
      break;
    default:
      return 0;
  }
  call->ran = true;
  return call->result;
}

bool CCardBookTool::RunOnPanel(WPARAM operation, int* result) {
  for (;;) {
    LockPanelSettled();
    HWND panel = m_ePanelState == kPanelOpen ? m_hPanel : nullptr;
    m_panelLock.Unlock();
    if (panel == nullptr) return false;
    // The card table and the tree belong to the panel thread.
    PanelCall call = {false, 0};
    ::SendMessageA(panel, WM_RUN_ON_PANEL_THREAD, operation, reinterpret_cast<LPARAM>(&call));
    if (call.ran) {
      *result = call.result;
      return true;
    }
  }
}

int CCardBookTool::SaveState() {
  if (IsPanelThread()) return SaveStateHere();
  // Without a panel the card table holds no book, or one that its close has
  // saved already: writing it would put it over the file.
  int result = 1;
  RunOnPanel(kRunSaveState, &result);
  return result;
}

int CCardBookTool::SaveStateHere() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && m_pHost != nullptr) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(m_hWnd, &placement);
    char value[16];
    snprintf(value, sizeof value, "%ld", placement.rcNormalPosition.left);
    m_pHost->WriteSetting(m_nToolNo, "WndPosX", value);
    snprintf(value, sizeof value, "%ld", placement.rcNormalPosition.top);
    m_pHost->WriteSetting(m_nToolNo, "WndPosY", value);
  }
  int cards = SaveCards();
  // The group list only ever comes from its file, so a failed write of it
  // loses nothing: the host is told whether the cards landed.
  SaveGroupList();
  return cards;
}

void CCardBookTool::StartPanel() {
  if (IsPanelThread() || !ClaimPanelStart()) return;
  char folder[kPathBufferSize];
  const char* directory = m_pHost ? m_pHost->GetDataDirectory(1, 0) : nullptr;
  if (directory != nullptr && BuildBookFolderPath(folder, directory)) {
    CreateDirectoryA(folder, nullptr);  // it may exist already
    MarkBookOpen(directory);
  }
  CreateBrushAndFonts();
  JoinEndedPanelThread();
  CWinThread* thread = AfxBeginThread(&CCardBookTool::PanelThreadProc, this, THREAD_PRIORITY_NORMAL,
                                      0, CREATE_SUSPENDED);
  if (thread == nullptr) {
    PanelEnded();
    return;
  }
  // Kept until the thread has ended, so that the tool can wait for it.
  thread->m_bAutoDelete = FALSE;
  {
    CStateLockHold hold(m_panelLock);
    m_pThread = thread;
    m_dwPanelThreadId = thread->m_nThreadID;
  }
  ResumeThread(thread->m_hThread);
}
