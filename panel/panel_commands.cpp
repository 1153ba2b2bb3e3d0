// The panel's card commands and the edit states they move between.
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "cards/card_line.h"
#include "cards/card_rules.h"
#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"
#include "tool/host_clock.h"

namespace {

// Text pasted into a field may hold what the card file cannot.
void KeepLineFormat(CardRecord& card) {
  for (char* text :
       {card.name, card.reading, card.group, card.postalCode, card.address, card.phones[0].number,
        card.phones[1].number, card.phones[2].number, card.mails[0].address, card.mails[1].address,
        card.mails[2].address, card.memo}) {
    BlankOutLineBreaks(text);
  }
}

}  // namespace

void CCardBookTool::SetEditButtons(bool edit, bool remove, bool save, bool cancel) {
  EnableWindow(Item(IDC_EDIT_CARD), edit);
  EnableWindow(Item(IDC_DELETE_CARD), remove);
  EnableWindow(Item(IDC_SAVE_CARD), save);
  EnableWindow(Item(IDC_CANCEL_EDIT), cancel);
}

void CCardBookTool::SetRootText() {
  char text[96];
  snprintf(text, sizeof text, "%s %s", m_table.m_cards[kOwnerSlot].name, " のアドレス帳");
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = m_hRootItem;
  item.pszText = text;
  ::SendMessageA(Item(IDC_TREE), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int CCardBookTool::StoreEditedCard(HTREEITEM old, HTREEITEM* replaced) {
  if (replaced != nullptr) *replaced = nullptr;
  char idText[64] = {};
  GetDlgItemTextA(m_hWnd, IDC_CARD_ID, idText, sizeof idText);
  int id = ParseIdText(idText);
  HWND tree = Item(IDC_TREE);
  int mode = ReadSortMode();
  int oldSlot = m_table.SlotOfItem(reinterpret_cast<TreeItemHandle>(old));
  CardRecord& target = m_table.m_cards[id];
  if (old != nullptr && old == m_hNewCardItem) {
    ReadForm(m_newCard);
    KeepLineFormat(m_newCard);
    // An overwritten card goes with its item, so that table and tree agree.
    if (m_table.IsUsed(id)) {
      if (replaced != nullptr) *replaced = reinterpret_cast<HTREEITEM>(target.treeItem);
      TreeView_DeleteItem(tree, reinterpret_cast<HTREEITEM>(target.treeItem));
      --m_table.m_nCardCount;
    }
    target = m_newCard;
    InsertCardItem(mode, id);
    ++m_table.m_nCardCount;
    target.modifyCount = 0;
    TreeView_DeleteItem(tree, m_hNewCardItem);
    memset(&m_newCard, 0, sizeof m_newCard);
    m_hNewCardItem = nullptr;
  } else if (id == kOwnerSlot) {
    ReadForm(target);
    KeepLineFormat(target);
    SetRootText();
    ++target.modifyCount;
  } else if (id == oldSlot) {
    ReadForm(target);
    KeepLineFormat(target);
    TreeView_DeleteItem(tree, old);
    InsertCardItem(mode, id);
    ++target.modifyCount;
  } else {
    bool overwrite = m_table.IsUsed(id);
    if (overwrite) {
      if (replaced != nullptr) *replaced = reinterpret_cast<HTREEITEM>(target.treeItem);
      TreeView_DeleteItem(tree, reinterpret_cast<HTREEITEM>(target.treeItem));
    }
    ReadForm(target);
    KeepLineFormat(target);
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
    Refuse("既に新規アイテムがあります！\n新規アイテムを２つ同時に編集することはできません。", 0);
    return;
  }
  if (m_table.m_nCardCount >= kMaxCards) {
    Refuse("これ以上登録できません！", 0);
    return;
  }
  memset(&m_newCard, 0, sizeof m_newCard);
  strcpy(m_newCard.name, "新規カード");
  strcpy(m_newCard.reading, "ｼﾝｷｶｰﾄﾞ");
  for (int n = 0; n < 3; ++n) m_newCard.phones[n].type = m_newCard.mails[n].type = n;
  HostClock clock(m_pHost);
  FormatTimeStamp(clock, m_newCard.created);
  strcpy(m_newCard.lastModified, "\"New Card!\"");
  TVINSERTSTRUCTA insert = {};
  insert.hParent = m_hRootItem;
  insert.hInsertAfter = TVI_FIRST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>("新規カード");
  insert.item.iImage = m_nNewCardImage;
  insert.item.iSelectedImage = m_nNewCardImage + 1;
  m_hNewCardItem = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(Item(IDC_TREE), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  m_newCard.treeItem = reinterpret_cast<TreeItemHandle>(m_hNewCardItem);
  TreeView_SelectItem(Item(IDC_TREE), m_hNewCardItem);
}

void CCardBookTool::OnDeleteCard() {
  if (m_nSelKind == SEL_HEADING || m_nSelKind == SEL_OWNER) {
    Refuse("削除できません！\n個人カードを選択して下さい。", 0);
    return;
  }
  if (m_bEditing == 1) {
    Refuse("編集中は、カード削除できません！", 0);
    return;
  }
  HWND tree = Item(IDC_TREE);
  HTREEITEM selected = TreeView_GetSelection(tree);
  int slot = m_table.SlotOfItem(reinterpret_cast<TreeItemHandle>(selected));
  if (slot < 0 && selected != nullptr && selected == m_hNewCardItem) {
    LeaveEditMode();
    m_hNewCardItem = nullptr;  // first, so that the next selection is not it
    memset(&m_newCard, 0, sizeof m_newCard);
    TreeView_DeleteItem(tree, selected);
  } else if (slot > 0) {
    memset(&m_table.m_cards[slot], 0, sizeof m_table.m_cards[slot]);
    --m_table.m_nCardCount;
    TreeView_DeleteItem(tree, selected);
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
  HTREEITEM selected = TreeView_GetSelection(Item(IDC_TREE));
  int id = StoreEditedCard(selected);
  if (id != kOwnerSlot) {
    TreeView_SelectItem(Item(IDC_TREE), reinterpret_cast<HTREEITEM>(m_table.m_cards[id].treeItem));
  } else {
    ShowCard(m_table.m_cards[kOwnerSlot]);
    InvalidateRect(m_hWnd, &m_rcInfo, TRUE);
  }
}

void CCardBookTool::OnCancelEdit() {
  LeaveEditMode();
  SetEditButtons(true, true, false, false);
  int slot =
      m_table.SlotOfItem(reinterpret_cast<TreeItemHandle>(TreeView_GetSelection(Item(IDC_TREE))));
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
      if (wanted == replaced) wanted = reinterpret_cast<HTREEITEM>(m_table.m_cards[id].treeItem);
      *result = TRUE;
      TreeView_SelectItem(Item(IDC_TREE), wanted);
      return;
    } else {
      LeaveEditMode();
    }
  }
  if (old != nullptr && old == m_hNewCardItem) {
    LeaveEditMode();
    ReadForm(m_newCard);
    KeepLineFormat(m_newCard);
  }
}

void CCardBookTool::SortBy(int mode, int buttonId) {
  if (IsDlgButtonChecked(m_hWnd, buttonId) != BST_CHECKED) return;
  if (m_bEditing == 1) {
    CheckDlgButton(m_hWnd, buttonId, BST_UNCHECKED);
    // The mode in force stays, and so does its button.
    int current = ReadSortMode();
    if (current == 0) CheckDlgButton(m_hWnd, IDC_SORT_NAME, BST_CHECKED);
    if (current == 1) CheckDlgButton(m_hWnd, IDC_SORT_GROUP, BST_CHECKED);
    Refuse("カードの編集中は表示切替できません！", 0);
    return;
  }
  char value[8];
  snprintf(value, sizeof value, "%d", mode);
  if (m_pHost != nullptr) m_pHost->WriteSetting(m_nToolNo, "SortMode", value);
  RebuildTreeAtRoot(mode);
}

void CCardBookTool::OnSortByName() { SortBy(0, IDC_SORT_NAME); }
void CCardBookTool::OnSortByGroup() { SortBy(1, IDC_SORT_GROUP); }

void CCardBookTool::OnPhoneTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  SetPhoneType(n, (GetPhoneType(n) + 1) % 5);
}

void CCardBookTool::OnMailTypeClick(int n) {
  if (m_bEditing != 1 && m_nSelKind != SEL_NEWCARD) return;
  SetMailType(n, (GetMailType(n) + 1) % 3);
}
