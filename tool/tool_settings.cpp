// The settings screen, run from the host's request or its direct call, and
// the panel brought up to date with what it changed.
#include "exchange/win/option_dlg.h"
#include "tool/card_book_tool.h"
#include "tool/panel_messages.h"

int CCardBookTool::OpenSettings(WPARAM, LPARAM) {
  // The card table and the tree belong to the panel thread, and the dialog
  // must run there to disable the panel while it is open.
  if (IsPanelThread()) return PanelStateNow() == kPanelOpen ? OpenSettingsHere(true) : 0;
  int result = 0;
  if (!RunOnPanel(kRunOpenSettings, &result)) result = OpenSettingsHere(false);
  return result;
}

LRESULT CCardBookTool::OnOpenSettings(WPARAM wParam, LPARAM lParam) {
  return OpenSettings(wParam, lParam);
}

int CCardBookTool::OpenSettingsHere(bool panelOpen) {
  // A second request while the screen is open (the host's message arrives
  // inside its modal loop) must not run the same dialog object again.
  if (m_optionDlg.GetSafeHwnd() != nullptr && ::IsWindow(m_optionDlg.GetSafeHwnd())) {
    SetForegroundWindow(m_optionDlg.GetSafeHwnd());
    return 0;
  }
  // The screen works on the saved file and the panel reloads it afterwards,
  // so the edit in the form would be lost in between.
  if (panelOpen && m_bEditing == 1) {
    Refuse("編集中は、設定画面を開けません！");
    return 0;
  }
  // Without a panel the card table holds no book: saving it would empty the
  // card file, and there is no tree to rebuild.
  if (panelOpen) {
    SaveCards();
    SetForegroundWindow(m_hWnd);
  }
  m_optionDlg.SetOwner(panelOpen ? this : nullptr);
  int wasBusy = m_bModalBusy;
  m_bModalBusy = 1;
  INT_PTR result = m_optionDlg.RunWithHost(m_pHost);
  m_bModalBusy = wasBusy;
  if (result != IDOK || !panelOpen) return 0;

  LoadCards();
  LoadGroupList();
  RebuildTreeAtRoot(ReadSortMode());
  return 0;
}
