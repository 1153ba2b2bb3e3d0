// The panel's commands: the card commands and the edit states they move
// between, the sort buttons, and the two group buttons, each of which opens
// its dialog and, when the dialog ends with OK, brings the tree up to date.
#include <stdio.h>
#include <string.h>

#include "cards/card_line.h"
#include "cards/card_rules.h"
#include "tool/card_book_tool.h"
#include "tool/host_clock.h"

void CCardBookTool::SetEditButtons(bool edit, bool remove, bool save, bool cancel) {
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

int CCardBookTool::StoreEditedCard(HTREEITEM old, HTREEITEM* replaced) {
  if (replaced != nullptr) *replaced = nullptr;
  char idText[64] = {};
  m_editId.GetWindowText(idText, sizeof idText);
  int id = ParseIdText(idText);
  int mode = ReadSortMode();
  int oldSlot = SlotOfItem(old);
  CardRecord& target = m_table.m_cards[id];
  if (old != nullptr && old == m_hNewCardItem) {
    ReadForm(m_newCard);
    // An overwritten card goes with its item, so that table and tree agree.
    if (m_table.IsUsed(id)) {
      if (replaced != nullptr) *replaced = ToTreeItem(target.treeItem);
      m_treeCards.DeleteItem(ToTreeItem(target.treeItem));
      --m_table.m_nCardCount;
    }
    target = m_newCard;
    InsertCardItem(mode, id);
    ++m_table.m_nCardCount;
    target.modifyCount = 0;
    m_treeCards.DeleteItem(m_hNewCardItem);
    memset(&m_newCard, 0, sizeof m_newCard);
    m_hNewCardItem = nullptr;
  } else if (id == kOwnerSlot) {
    ReadForm(target);
    SetRootText();
    ++target.modifyCount;
  } else if (id == oldSlot) {
    ReadForm(target);
    m_treeCards.DeleteItem(old);
    InsertCardItem(mode, id);
    ++target.modifyCount;
  } else {
    bool overwrite = m_table.IsUsed(id);
    if (overwrite) {
      if (replaced != nullptr) *replaced = ToTreeItem(target.treeItem);
      m_treeCards.DeleteItem(ToTreeItem(target.treeItem));
    }
    ReadForm(target);
    InsertCardItem(mode, id);
    if (!overwrite) ++m_table.m_nCardCount;
    target.modifyCount = 0;
  }
  HostClock clock(m_pHost);
  FormatTimeStamp(clock, target.lastModified);
  return id;
}

void CCardBookTool::OnNewCard() {
  if (m_hNewCardItem != nullptr) {
    Refuse("既に新規アイテムがあります！\n新規アイテムを２つ同時に編集することはできません。");
    return;
  }
  if (m_table.m_nCardCount >= kMaxCards) {
    Refuse("これ以上登録できません！");
    return;
  }
  memset(&m_newCard, 0, sizeof m_newCard);
  strcpy(m_newCard.name, "新規カード");
  strcpy(m_newCard.reading, "ｼﾝｷｶｰﾄﾞ");
  for (int n = 0; n < 3; ++n) m_newCard.phones[n].type = m_newCard.mails[n].type = n;
  HostClock clock(m_pHost);
  FormatTimeStamp(clock, m_newCard.created);
  strcpy(m_newCard.lastModified, "\"New Card!\"");
  m_hNewCardItem = InsertTreeItem(m_newCard.name, m_nNewCardImage, m_hRootItem, TVI_FIRST);
  m_newCard.treeItem = ToItemHandle(m_hNewCardItem);
  m_treeCards.SelectItem(m_hNewCardItem);
}

void CCardBookTool::OnDeleteCard() {
  if (m_nSelKind == SEL_HEADING || m_nSelKind == SEL_OWNER) {
    Refuse("削除できません！\n個人カードを選択して下さい。");
    return;
  }
  if (m_bEditing == 1) {
    Refuse("編集中は、カード削除できません！");
    return;
  }
  HTREEITEM selected = m_treeCards.GetSelectedItem();
  int slot = SlotOfItem(selected);
  if (slot < 0 && selected != nullptr && selected == m_hNewCardItem) {
    LeaveEditMode();
    m_hNewCardItem = nullptr;  // first, so that the next selection is not it
    memset(&m_newCard, 0, sizeof m_newCard);
    m_treeCards.DeleteItem(selected);
  } else if (slot > 0) {
    memset(&m_table.m_cards[slot], 0, sizeof m_table.m_cards[slot]);
    --m_table.m_nCardCount;
    m_treeCards.DeleteItem(selected);
  }
}

void CCardBookTool::OnEditCard() {
  EnterEditMode(1);
  SetEditButtons(false, false, true, true);
}

void CCardBookTool::OnSaveCard() {
  if (!ValidateCard()) return;
  LeaveEditMode();
  SetEditButtons(true, true, false, false);
  int id = StoreEditedCard(m_treeCards.GetSelectedItem());
  if (id != kOwnerSlot) {
    m_treeCards.SelectItem(ToTreeItem(m_table.m_cards[id].treeItem));
  } else {
    ShowCard(m_table.m_cards[kOwnerSlot]);
    InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
  }
}

void CCardBookTool::OnCancelEdit() {
  LeaveEditMode();
  SetEditButtons(true, true, false, false);
  int slot = SlotOfItem(m_treeCards.GetSelectedItem());
  if (slot >= 0) ShowCard(m_table.m_cards[slot]);
}

void CCardBookTool::OnTreeSelChanging(NMHDR* header, LRESULT* result) {
  *result = FALSE;
  HTREEITEM old = reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.hItem;
  HTREEITEM wanted = reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem;
  if (m_bEditing == 1) {
    int answer =
        AskOrTell("カードの編集中です。\n保存しますか？", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) {
      *result = TRUE;
      return;
    }
    if (answer == IDYES) {
      if (!ValidateCard()) {
        *result = TRUE;
        return;
      }
      LeaveEditMode();
      HTREEITEM replaced = nullptr;
      int id = StoreEditedCard(old, &replaced);
      // The store has deleted the item being left, which the tree control
      // still holds as its selection: this change is called off and made
      // anew, to the stored card if its slot was the one the user clicked.
      if (wanted == replaced) wanted = ToTreeItem(m_table.m_cards[id].treeItem);
      *result = TRUE;
      m_treeCards.SelectItem(wanted);
      return;
    } else {
      LeaveEditMode();
    }
  }
  if (old != nullptr && old == m_hNewCardItem) {
    LeaveEditMode();
    ReadForm(m_newCard);
  }
}

void CCardBookTool::SortBy(int mode, CButton& button) {
  if (button.GetCheck() != BST_CHECKED) return;
  if (m_bEditing == 1) {
    button.SetCheck(BST_UNCHECKED);
    // The mode in force stays, and so does its button.
    int current = ReadSortMode();
    if (current == 0) m_radioSortName.SetCheck(BST_CHECKED);
    if (current == 1) m_radioSortGroup.SetCheck(BST_CHECKED);
    Refuse("カードの編集中は表示切替できません！");
    return;
  }
  char value[8];
  snprintf(value, sizeof value, "%d", mode);
  if (m_pHost != nullptr) m_pHost->WriteSetting(m_nToolNo, "SortMode", value);
  RebuildTreeAtRoot(mode);
}

void CCardBookTool::OnSortByName() { SortBy(0, m_radioSortName); }
void CCardBookTool::OnSortByGroup() { SortBy(1, m_radioSortGroup); }

void CCardBookTool::OnPhoneTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  SetPhoneType(n, (GetPhoneType(n) + 1) % 5);
}

void CCardBookTool::OnMailTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  SetMailType(n, (GetMailType(n) + 1) % 3);
}

void CCardBookTool::OnGroupEdit() {
  if (m_bEditing == 1) {
    Refuse("編集中は、グループ編集できません！");
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
    Refuse("編集中は、グループ一括変換できません！");
    return;
  }
  if (m_groupChangeDlg.OpenModal(m_pHost, &m_table.m_cards[0], m_table.m_nCardCount) != IDOK) {
    return;
  }
  // The dialog changed the cards in the table: on disk at once.
  SaveCards();
  RebuildTreeAtRoot(ReadSortMode());
}
