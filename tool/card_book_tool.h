// The address book as a tool of the host: the panel, which is this very
// dialog, as the host starts it, calls it and ends it, on the host's thread
// and the panel's.
#pragma once

#include <windows.h>

#include "exchange/win/option_dlg.h"
#include "framework/state_lock.h"
#include "panel/card_panel.h"
#include "sdk/tool_base.h"

class CCardBookTool : public CCardPanel {
 public:
  explicit CCardBookTool(CWnd* hostWindow);
  ~CCardBookTool() override;

  int SaveState() override;
  int Search(SearchRequest* request, const char* text) override;
  const char* GetToolName() override;
  void StartPanel() override;
  UINT GetTemplateId() override;
  int OpenSettings(WPARAM wParam, LPARAM lParam) override;

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  BOOL OnInitDialog() override;
  void OnClose();
  void OnDestroy();
  LRESULT OnRunOnPanelThread(WPARAM operation, LPARAM argument);
  LRESULT OnOpenSettings(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  COptionDlg m_optionDlg;

  // The panel's lifetime. The host's thread only moves it from none to
  // starting (StartPanel) and otherwise waits for it; the panel thread makes
  // every other change: open once its book is loaded, closing when its close
  // begins, none once it has saved and freed all that it used. The host's
  // calls decide on this state, never on the window handle; all the fields
  // below are read and written under m_panelLock. The card table, the tree
  // and the panel's GDI objects belong to the panel thread from starting to
  // none: the host's thread touches them only while the state is none.
  enum PanelState { kPanelNone, kPanelStarting, kPanelOpen, kPanelClosing };
  CStateLock m_panelLock;
  PanelState m_ePanelState = kPanelNone;
  HWND m_hPanel = nullptr;      // while open: where the host's calls are sent
  DWORD m_dwPanelThreadId = 0;  // from starting to none
  int m_nPanelSendsToHost = 0;  // the panel thread waits for the host window's answer
  LPARAM m_nMarksPosted = 0;    // StartPanel's marks behind the panel's posted messages
  LPARAM m_nMarksSeen = 0;

  static UINT PanelThreadProc(LPVOID tool);
  bool IsPanelThread();
  // Host's thread: returns holding m_panelLock once no panel is starting or
  // closing.
  void LockPanelSettled();
  // Host's thread: a host call made while the host window answers the
  // panel's message answers it first, so that the panel can go on.
  void ReleasePanelWaitingOnCaller();
  // Host's thread: runs the operation on the panel thread once the panel is
  // open; false when there is no panel (a start or close waited out).
  bool RunOnPanel(WPARAM operation, int* result);
  bool ClaimPanelStart();
  void ClosePanelAndWait();
  void JoinEndedPanelThread();
  // Panel thread.
  void PanelOpened();
  void PanelClosing();
  void PanelEnded();
  PanelState PanelStateNow();
  void NotifyHost(UINT message);
  int SaveStateHere();
  int OpenSettingsHere(bool panelOpen);
};
