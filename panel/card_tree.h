// The card tree on the left of the panel: the owner's card as the root,
// headings under it (kana rows or groups, then "その他"), each card under its
// heading, and a pending new card first under the root. It mirrors the card
// table and the group list, and keeps each one's item in its record.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "cards/card_record.h"
#include "framework/cdialog.h"
#include "framework/common_controls.h"
#include "groups/group_list.h"

// What an item of the tree stands for.
enum SelectionKind { SEL_OWNER = 0, SEL_HEADING = 1, SEL_CARD = 2, SEL_NEWCARD = 3 };

constexpr int kHeadingItems = 11;  // ten rows or groups, then "その他"

class CCardTree {
 public:
  CCardTree(CardTable& table, GroupList& groups);
  CCardTree(const CCardTree&) = delete;
  CCardTree& operator=(const CCardTree&) = delete;

  void DoDataExchange(CDataExchange* dx);
  // The image list of the items' pictures, made with the panel.
  void CreateImages();
  void FreeImages();

  // Builds the whole tree into the empty control, newCard included when it
  // is pending (has an item); selects nothing.
  void BuildTree(int mode, CardRecord& newCard);
  // Puts the card in slot under its heading; its heading, or null when the
  // slot is free.
  HTREEITEM InsertCardItem(int mode, int slot);
  // The pending new card's item, first under the root.
  HTREEITEM InsertNewCardItem(const char* name);
  void ForgetNewCardItem() { m_hNewCardItem = nullptr; }
  // The owner's name in the root's text.
  void SetRootText();

  HTREEITEM RootItem() const { return m_hRootItem; }
  HTREEITEM NewCardItem() const { return m_hNewCardItem; }
  bool IsNewCardItem(HTREEITEM item) const { return item != nullptr && item == m_hNewCardItem; }
  SelectionKind KindOf(HTREEITEM item) const;

  HTREEITEM GetSelectedItem() const { return m_treeCards.GetSelectedItem(); }
  BOOL SelectItem(HTREEITEM item) { return m_treeCards.SelectItem(item); }
  BOOL DeleteItem(HTREEITEM item) { return m_treeCards.DeleteItem(item); }
  BOOL DeleteAllItems() { return m_treeCards.DeleteAllItems(); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return m_treeCards.GetParentItem(item); }
  BOOL GetItemText(HTREEITEM item, char* text, int size) const {
    return m_treeCards.GetItemText(item, text, size);
  }

 private:
  HTREEITEM InsertTreeItem(const char* text, int image, HTREEITEM parent, HTREEITEM after);

  CardTable& m_table;
  GroupList& m_groups;
  CTreeCtrl m_treeCards;
  CImageList m_treeImages;
  HTREEITEM m_hRootItem = nullptr;
  HTREEITEM m_hHeadingItems[kHeadingItems] = {};
  HTREEITEM m_hNewCardItem = nullptr;
  int m_nNewCardImage = 0;
  int m_nCardImage = 0;
  int m_nHeadingImage = 0;
  int m_nRootImage = 0;
};
