// What the panel shows for the tree's selected item, and the heading list's
// clicks.
#include <stdlib.h>

#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"

namespace {

void EnableItem(HWND dialog, int id, bool enable) { EnableWindow(GetDlgItem(dialog, id), enable); }

}  // namespace

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
  EnableItem(m_hWnd, IDC_EDIT_CARD, on.edit);
  EnableItem(m_hWnd, IDC_DELETE_CARD, on.remove);
  EnableItem(m_hWnd, IDC_SAVE_CARD, on.save);
  EnableItem(m_hWnd, IDC_CANCEL_EDIT, on.cancel);
  HWND list = Item(IDC_CARD_LIST);
  if (kind == SEL_HEADING) {
    ShowFormControls(0);
    FillHeadingList();
    ShowWindow(list, SW_SHOW);
  } else {
    ShowWindow(list, SW_HIDE);
    ShowFormControls(1);
    if (kind == SEL_OWNER) {
      ShowCard(m_table.m_cards[kOwnerSlot]);
    } else if (kind == SEL_CARD) {
      int slot = m_table.SlotOfItem(
          reinterpret_cast<TreeItemHandle>(TreeView_GetSelection(Item(IDC_TREE))));
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
  HWND list = Item(IDC_CARD_LIST);
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  char text[16] = {};
  if (row >= 0) ListView_GetItemText(list, row, 0, text, sizeof text);
  int id = atoi(text);
  return id >= 0 && id < kCardSlots ? id : 0;
}

void CCardBookTool::OnListClick(NMHDR*, LRESULT* result) {
  *result = 0;
  if (ListView_GetSelectedCount(Item(IDC_CARD_LIST)) > 1) return;
  FormatInfoLines(m_table.m_cards[SelectedListId()]);
  InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
}

void CCardBookTool::OnListDblClk(NMHDR*, LRESULT* result) {
  *result = 0;
  const CardRecord& card = m_table.m_cards[SelectedListId()];
  TreeView_SelectItem(Item(IDC_TREE), reinterpret_cast<HTREEITEM>(card.treeItem));
}
