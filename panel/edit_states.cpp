// The edit states: the form made editable and read-only again, and the
// buttons that each state allows.
#include "panel/card_panel.h"

void CCardPanel::SetEditButtons(bool edit, bool remove, bool save, bool cancel) {
  const struct {
    PanelButton button;
    bool enable;
  } states[] = {{kEditCardButton, edit},
                {kDeleteCardButton, remove},
                {kSaveCardButton, save},
                {kCancelEditButton, cancel}};
  for (const auto& state : states) {
    m_buttons[state.button].EnableWindow(state.enable);
  }
}

void CCardPanel::EnterEditMode(int flag) {
  m_bEditing = flag;
  m_form.SetFormReadOnly(0);
  m_buttons[kGroupEditButton].EnableWindow(FALSE);
  m_buttons[kGroupChangeButton].EnableWindow(FALSE);
  m_form.FillGroupChoice(m_groups);
  m_form.ShowAllTypeIcons();
}

void CCardPanel::LeaveEditMode() {
  m_bEditing = 0;
  m_form.SetFormReadOnly(1);
  m_buttons[kGroupEditButton].EnableWindow(TRUE);
  m_buttons[kGroupChangeButton].EnableWindow(TRUE);
  m_form.TakeGroupChoice();
}
