// The card tree: the owner's card as the root, headings under it (kana rows
// or groups, then "その他"), and each card under its heading.
#include <stdio.h>
#include <string.h>

#include "cards/card_rules.h"
#include "panel/panel_ids.h"
#include "tool/card_book_tool.h"

namespace {

HTREEITEM InsertItem(HWND tree, const char* text, int image, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = image + 1;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The second text begins with a blank: name and のアドレス帳 stand two
// blanks apart.
void FormatRootText(char (&text)[kGroupNameSize + 16], const char* ownerName) {
  snprintf(text, sizeof text, "%s %s", ownerName, " のアドレス帳");
}

}  // namespace

void CCardBookTool::BuildTree(int mode) {
  HWND tree = Item(IDC_TREE);
  char rootText[kGroupNameSize + 16];
  FormatRootText(rootText, m_table.m_cards[kOwnerSlot].name);
  m_hRootItem = InsertItem(tree, rootText, m_nRootImage, TVI_ROOT, TVI_LAST);
  m_table.m_cards[kOwnerSlot].treeItem = reinterpret_cast<TreeItemHandle>(m_hRootItem);

  if (m_newCard.treeItem != nullptr) {
    m_hNewCardItem = InsertItem(tree, m_newCard.name, m_nNewCardImage, m_hRootItem, TVI_FIRST);
    m_newCard.treeItem = reinterpret_cast<TreeItemHandle>(m_hNewCardItem);
  }

  for (int i = 0; i < kOtherHeading; ++i) m_hHeadingItems[i] = nullptr;
  if (mode == 0) {
    for (int i = 0; i < kKanaRowCount; ++i) {
      m_hHeadingItems[i] =
          InsertItem(tree, kKanaRowHeadings[i], m_nHeadingImage, m_hRootItem, TVI_LAST);
    }
  } else if (mode == 1) {
    for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
      m_hHeadingItems[i] =
          InsertItem(tree, m_groups.m_groups[i].name, m_nHeadingImage, m_hRootItem, TVI_LAST);
      m_groups.m_groups[i].headingItem = reinterpret_cast<TreeItemHandle>(m_hHeadingItems[i]);
    }
  }
  m_hHeadingItems[kOtherHeading] =
      InsertItem(tree, kOtherHeadingText, m_nHeadingImage, m_hRootItem, TVI_LAST);

  int inserted = 0;
  for (int slot = 1; slot < kCardSlots && inserted < m_table.m_nCardCount - 1; ++slot) {
    if (InsertCardItem(mode, slot) != nullptr) ++inserted;
  }

  for (HTREEITEM child = TreeView_GetChild(tree, m_hRootItem); child != nullptr;
       child = TreeView_GetNextSibling(tree, child)) {
    TreeView_SortChildren(tree, child, FALSE);
  }
  TreeView_Expand(tree, m_hRootItem, TVE_EXPAND);
}

HTREEITEM CCardBookTool::InsertCardItem(int mode, int slot) {
  CardRecord& card = m_table.m_cards[slot];
  if (card.name[0] == '\0') return nullptr;
  HTREEITEM heading = m_hHeadingItems[kOtherHeading];
  if (mode == 0) {
    heading = m_hHeadingItems[KanaRowOfReading(card.reading)];
  } else if (mode == 1) {
    for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
      if (strcmp(m_groups.m_groups[i].name, card.group) == 0) {
        heading = m_hHeadingItems[i];
        break;
      }
    }
  }
  HTREEITEM item = InsertItem(Item(IDC_TREE), card.name, m_nCardImage, heading, TVI_LAST);
  card.treeItem = reinterpret_cast<TreeItemHandle>(item);
  return heading;
}

void CCardBookTool::RebuildTreeAtRoot(int mode) {
  HWND tree = Item(IDC_TREE);
  // Leave the items that are about to go before they go, as the sort
  // buttons do, so that no selection notice names a deleted item.
  TreeView_SelectItem(tree, m_hRootItem);
  m_hNewCardItem = nullptr;
  TreeView_DeleteAllItems(tree);
  BuildTree(mode);
  TreeView_SelectItem(tree, m_hRootItem);
}
