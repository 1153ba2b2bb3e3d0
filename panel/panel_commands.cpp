// The panel's commands: the card commands, the type icons' clicks, the sort
// buttons, and the two group buttons, each of which opens its dialog and,
// when the dialog ends with OK, brings the tree up to date.
#include <stdio.h>
#include <string.h>

#include "cards/card_line.h"
#include "cards/card_rules.h"
#include "panel/card_panel.h"
#include "panel/host_clock.h"

int CCardPanel::StoreEditedCard(HTREEITEM old, HTREEITEM* replaced) {
  if (replaced != nullptr) *replaced = nullptr;
  char idText[64] = {};
  m_form.GetFieldText(kIdField, idText, sizeof idText);
  int id = ParseIdText(idText);
  int mode = ReadSortMode();
  int oldSlot = SlotOfItem(old);
  CardRecord& target = m_table.m_cards[id];
  if (m_tree.IsNewCardItem(old)) {
    m_form.ReadForm(m_newCard);
    // An overwritten card goes with its item, so that table and tree agree.
    if (m_table.IsUsed(id)) {
      if (replaced != nullptr) *replaced = ToTreeItem(target.treeItem);
      m_tree.DeleteItem(ToTreeItem(target.treeItem));
    }
    m_table.StoreCard(id, m_newCard);
    m_tree.InsertCardItem(mode, id);
    target.modifyCount = 0;
    m_tree.DeleteItem(m_tree.NewCardItem());
    memset(&m_newCard, 0, sizeof m_newCard);
    m_tree.ForgetNewCardItem();
  } else if (id == kOwnerSlot) {
    m_form.ReadForm(target);
    m_tree.SetRootText();
    ++target.modifyCount;
  } else if (id == oldSlot) {
    m_form.ReadForm(target);
    m_tree.DeleteItem(old);
    m_tree.InsertCardItem(mode, id);
    ++target.modifyCount;
  } else {
    if (m_table.IsUsed(id)) {
      if (replaced != nullptr) *replaced = ToTreeItem(target.treeItem);
      m_tree.DeleteItem(ToTreeItem(target.treeItem));
    }
    // The form goes over what the slot holds: a card written over keeps its
    // time of creation.
    CardRecord card = target;
    m_form.ReadForm(card);
    m_table.StoreCard(id, card);
    m_tree.InsertCardItem(mode, id);
    target.modifyCount = 0;
  }
  HostClock clock(m_pHost);
  FormatTimeStamp(clock, target.lastModified);
  return id;
}

void CCardPanel::OnNewCard() {
  if (m_tree.NewCardItem() != nullptr) {
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
  for (int n = 0; n < kPhoneSlots; ++n) m_newCard.phones[n].type = n;
  for (int n = 0; n < kMailSlots; ++n) m_newCard.mails[n].type = n;
  HostClock clock(m_pHost);
  FormatTimeStamp(clock, m_newCard.created);
  strcpy(m_newCard.lastModified, "\"New Card!\"");
  m_newCard.treeItem = ToItemHandle(m_tree.InsertNewCardItem(m_newCard.name));
  m_tree.SelectItem(m_tree.NewCardItem());
}

void CCardPanel::OnDeleteCard() {
  if (m_nSelKind == SEL_HEADING || m_nSelKind == SEL_OWNER) {
    Refuse("削除できません！\n個人カードを選択して下さい。");
    return;
  }
  if (m_bEditing == 1) {
    Refuse("編集中は、カード削除できません！");
    return;
  }
  HTREEITEM selected = m_tree.GetSelectedItem();
  int slot = SlotOfItem(selected);
  if (slot < 0 && m_tree.IsNewCardItem(selected)) {
    LeaveEditMode();
    m_tree.ForgetNewCardItem();  // first, so that the next selection is not it
    memset(&m_newCard, 0, sizeof m_newCard);
    m_tree.DeleteItem(selected);
  } else if (slot > 0) {
    m_table.RemoveCard(slot);
    m_tree.DeleteItem(selected);
  }
}

void CCardPanel::OnEditCard() {
  EnterEditMode(1);
  SetEditButtons(false, false, true, true);
}

void CCardPanel::OnSaveCard() {
  if (!ValidateCard()) return;
  LeaveEditMode();
  SetEditButtons(true, true, false, false);
  int id = StoreEditedCard(m_tree.GetSelectedItem());
  if (id != kOwnerSlot) {
    m_tree.SelectItem(ToTreeItem(m_table.m_cards[id].treeItem));
  } else {
    ShowCard(m_table.m_cards[kOwnerSlot]);
    InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
  }
}

void CCardPanel::OnCancelEdit() {
  LeaveEditMode();
  SetEditButtons(true, true, false, false);
  int slot = SlotOfItem(m_tree.GetSelectedItem());
  if (slot >= 0) ShowCard(m_table.m_cards[slot]);
}

void CCardPanel::OnTreeSelChanging(NMHDR* header, LRESULT* result) {
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
      m_tree.SelectItem(wanted);
      return;
    } else {
      LeaveEditMode();
    }
  }
  if (m_tree.IsNewCardItem(old)) {
    LeaveEditMode();
    m_form.ReadForm(m_newCard);
  }
}

void CCardPanel::SortBy(int mode, CButton& button) {
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

void CCardPanel::OnSortByName() { SortBy(0, m_radioSortName); }
void CCardPanel::OnSortByGroup() { SortBy(1, m_radioSortGroup); }

void CCardPanel::OnPhoneTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  m_form.SetPhoneType(n, (m_form.GetPhoneType(n) + 1) % kPhoneTypeCount);
}

void CCardPanel::OnMailTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  m_form.SetMailType(n, (m_form.GetMailType(n) + 1) % kMailTypeCount);
}

void CCardPanel::OnGroupEdit() {
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

void CCardPanel::OnGroupChange() {
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

void CCardPanel::RebuildTreeAtRoot(int mode) {
  // Leave the items that are about to go before they go, as the sort
  // buttons do, so that no selection notice names a deleted item.
  m_tree.SelectItem(m_tree.RootItem());
  m_tree.ForgetNewCardItem();
  m_tree.DeleteAllItems();
  m_tree.BuildTree(mode, m_newCard);
  m_tree.SelectItem(m_tree.RootItem());
}
