// What the panel shows for the tree's selected item, and the heading list's
// clicks.
#include "panel/card_panel.h"

void CCardPanel::OnTreeSelChanged(NMHDR* header, LRESULT* result) {
  *result = 0;
  ShowSelection(m_tree.KindOf(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem));
}

void CCardPanel::ShowSelection(int kind) {
  m_nSelKind = kind;
  struct Buttons {
    bool edit, remove, save, cancel;
  };
  static const Buttons kButtons[4] = {
      {true, false, false, false},   // the owner's card
      {false, false, false, false},  // a heading
      {true, true, false, false},    // a card
      {false, true, true, false},    // the pending new card
  };
  const Buttons& on = kButtons[kind];
  SetEditButtons(on.edit, on.remove, on.save, on.cancel);
  if (kind == SEL_HEADING) {
    m_form.ShowFormControls(0);
    FillHeadingList();
    m_form.ShowHeadingList(true);
  } else {
    m_form.ShowHeadingList(false);
    m_form.ShowFormControls(1);
    if (kind == SEL_OWNER) {
      ShowCard(m_table.m_cards[kOwnerSlot]);
    } else if (kind == SEL_CARD) {
      int slot = SlotOfItem(m_tree.GetSelectedItem());
      if (slot < 0) return;
      ShowCard(m_table.m_cards[slot]);
    } else {
      ShowCard(m_newCard);
      EnterEditMode(0);
    }
  }
  InvalidateRect(m_hWnd, &m_rcForm, FALSE);
  InvalidateRect(m_hWnd, &m_rcInfo, FALSE);
}

// The ID field shows the card's slot: 0 for the owner's card, -1 for the
// pending new card, which has none.
void CCardPanel::ShowCard(CardRecord& record) {
  m_form.ShowCard(record, m_table.SlotOfItem(record.treeItem));
}

int CCardPanel::FillHeadingList() {
  m_form.ClearHeadingList();
  HTREEITEM selected = m_tree.GetSelectedItem();
  if (m_table.m_nCardCount < 2) return 0;
  int rows = 0;
  int visited = 0;
  for (int slot = 1; slot < kCardSlots && visited < m_table.m_nCardCount - 1; ++slot) {
    const CardRecord& card = m_table.m_cards[slot];
    if (!m_table.IsUsed(slot)) continue;
    ++visited;
    if (m_tree.GetParentItem(ToTreeItem(card.treeItem)) != selected) continue;
    m_form.AddHeadingRow(rows, slot, card);
    ++rows;
  }
  return rows;
}

void CCardPanel::OnListClick(NMHDR*, LRESULT* result) {
  *result = 0;
  if (m_form.ListSelectedCount() > 1) return;
  m_form.FormatInfoLines(m_table.m_cards[m_form.SelectedListId()]);
  InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
}

void CCardPanel::OnListDblClk(NMHDR*, LRESULT* result) {
  *result = 0;
  const CardRecord& card = m_table.m_cards[m_form.SelectedListId()];
  m_tree.SelectItem(ToTreeItem(card.treeItem));
}
