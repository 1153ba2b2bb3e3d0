// The panel's two group buttons: each opens its dialog and, when the dialog
// ends with OK, brings the tree up to date.
#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"

void CCardBookTool::OnGroupEdit() {
  if (m_bEditing == 1) {
    Refuse("編集中は、グループ編集できません！", 0);
    return;
  }
  if (m_groupEditDlg.OpenModal(m_pHost) != IDOK) return;
  // Cards keep the group they hold; one whose group is gone shows under
  // "その他" until the bulk change moves it.
  LoadGroupList();
  RebuildTreeAtRoot(ReadSortMode());
}

void CCardBookTool::OnGroupChange() {
  if (m_bEditing == 1) {
    Refuse("編集中は、グループ一括変換できません！", 0);
    return;
  }
  if (m_groupChangeDlg.OpenModal(m_pHost, &m_table.m_cards[0], m_table.m_nCardCount) != IDOK) {
    return;
  }
  // The dialog changed the cards in the table: on disk at once.
  SaveCards();
  RebuildTreeAtRoot(ReadSortMode());
}
