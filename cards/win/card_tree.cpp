// The card tree: the owner's card as the root, headings under it (kana rows
// or groups, then "その他"), and each card under its heading.
#include <stdio.h>
#include <string.h>

#include "cards/card_rules.h"
#include "tool/card_book_tool.h"

namespace {

// The second text begins with a blank: name and のアドレス帳 stand two
// blanks apart.
void FormatRootText(char (&text)[kGroupNameSize + 16], const char* ownerName) {
  snprintf(text, sizeof text, "%s %s", ownerName, " のアドレス帳");
}

}  // namespace

// Each item's selected picture follows its own in the image list.
HTREEITEM CCardBookTool::InsertTreeItem(const char* text, int image, HTREEITEM parent,
                                        HTREEITEM after) {
  return m_treeCards.InsertItem(text, image, image + 1, parent, after);
}

void CCardBookTool::BuildTree(int mode) {
  char rootText[kGroupNameSize + 16];
  FormatRootText(rootText, m_table.m_cards[kOwnerSlot].name);
  m_hRootItem = InsertTreeItem(rootText, m_nRootImage, TVI_ROOT, TVI_LAST);
  m_table.m_cards[kOwnerSlot].treeItem = ToItemHandle(m_hRootItem);

  if (m_newCard.treeItem != nullptr) {
    m_hNewCardItem = InsertTreeItem(m_newCard.name, m_nNewCardImage, m_hRootItem, TVI_FIRST);
    m_newCard.treeItem = ToItemHandle(m_hNewCardItem);
  }

  for (int i = 0; i < kOtherHeading; ++i) m_hHeadingItems[i] = nullptr;
  if (mode == 0) {
    for (int i = 0; i < kKanaRowCount; ++i) {
      m_hHeadingItems[i] =
          InsertTreeItem(kKanaRowHeadings[i], m_nHeadingImage, m_hRootItem, TVI_LAST);
    }
  } else if (mode == 1) {
    for (int i = 0; i < m_groups.m_nGroupCount && i < kMaxGroups; ++i) {
      m_hHeadingItems[i] =
          InsertTreeItem(m_groups.m_groups[i].name, m_nHeadingImage, m_hRootItem, TVI_LAST);
      m_groups.m_groups[i].headingItem = ToItemHandle(m_hHeadingItems[i]);
    }
  }
  m_hHeadingItems[kOtherHeading] =
      InsertTreeItem(kOtherHeadingText, m_nHeadingImage, m_hRootItem, TVI_LAST);

  int inserted = 0;
  for (int slot = 1; slot < kCardSlots && inserted < m_table.m_nCardCount - 1; ++slot) {
    if (InsertCardItem(mode, slot) != nullptr) ++inserted;
  }

  for (HTREEITEM child = m_treeCards.GetChildItem(m_hRootItem); child != nullptr;
       child = m_treeCards.GetNextSiblingItem(child)) {
    m_treeCards.SortChildren(child);
  }
  m_treeCards.Expand(m_hRootItem, TVE_EXPAND);
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
  card.treeItem = ToItemHandle(InsertTreeItem(card.name, m_nCardImage, heading, TVI_LAST));
  return heading;
}

void CCardBookTool::SetRootText() {
  char text[kGroupNameSize + 16];
  FormatRootText(text, m_table.m_cards[kOwnerSlot].name);
  m_treeCards.SetItemText(m_hRootItem, text);
}

void CCardBookTool::RebuildTreeAtRoot(int mode) {
  // Leave the items that are about to go before they go, as the sort
  // buttons do, so that no selection notice names a deleted item.
  m_treeCards.SelectItem(m_hRootItem);
  m_hNewCardItem = nullptr;
  m_treeCards.DeleteAllItems();
  BuildTree(mode);
  m_treeCards.SelectItem(m_hRootItem);
}
