// What the panel shows for the tree's selected item, and the heading list's
// clicks.
#include <stdlib.h>

#include "tool/card_book_tool.h"

void CCardBookTool::OnTreeSelChanged(NMHDR* header, LRESULT* result) {
  *result = 0;
  HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem;
  int kind = SEL_CARD;
  if (item == m_hRootItem) {
    kind = SEL_OWNER;
  } else if (item != nullptr && item == m_hNewCardItem) {
    kind = SEL_NEWCARD;
  } else {
    for (HTREEITEM heading : m_hHeadingItems) {
      if (heading != nullptr && heading == item) kind = SEL_HEADING;
    }
  }
  ShowSelection(kind);
}

void CCardBookTool::ShowSelection(int kind) {
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
    ShowFormControls(0);
    FillHeadingList();
    m_listCards.ShowWindow(SW_SHOW);
  } else {
    m_listCards.ShowWindow(SW_HIDE);
    ShowFormControls(1);
    if (kind == SEL_OWNER) {
      ShowCard(m_table.m_cards[kOwnerSlot]);
    } else if (kind == SEL_CARD) {
      int slot = SlotOfItem(m_treeCards.GetSelectedItem());
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

int CCardBookTool::SelectedListId() const {
  int row = m_listCards.GetNextItem(-1, LVNI_SELECTED);
  char text[16] = {};
  if (row >= 0) m_listCards.GetItemText(row, 0, text, sizeof text);
  int id = atoi(text);
  return id >= 0 && id < kCardSlots ? id : 0;
}

void CCardBookTool::OnListClick(NMHDR*, LRESULT* result) {
  *result = 0;
  if (m_listCards.GetSelectedCount() > 1) return;
  FormatInfoLines(m_table.m_cards[SelectedListId()]);
  InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
}

void CCardBookTool::OnListDblClk(NMHDR*, LRESULT* result) {
  *result = 0;
  const CardRecord& card = m_table.m_cards[SelectedListId()];
  m_treeCards.SelectItem(ToTreeItem(card.treeItem));
}
