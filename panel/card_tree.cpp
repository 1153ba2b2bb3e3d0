// The card tree: the owner's card as the root, headings under it (kana rows
// or groups, then "その他"), and each card under its heading.
#include "panel/card_tree.h"

#include <stdio.h>
#include <string.h>

#include "cards/card_rules.h"
#include "panel/panel_ids.h"
#include "panel/tree_item.h"

namespace {

// The second text begins with a blank: name and のアドレス帳 stand two
// blanks apart.
void FormatRootText(char (&text)[kGroupNameSize + 16], const char* ownerName) {
  snprintf(text, sizeof text, "%s %s", ownerName, " のアドレス帳");
}

}  // namespace

CCardTree::CCardTree(CardTable& table, GroupList& groups) : m_table(table), m_groups(groups) {}

void CCardTree::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_TREE, m_treeCards); }

void CCardTree::CreateImages() {
  m_treeImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 2);
  const int images[8] = {IDB_TREE_ROOT, IDB_TREE_ROOT_SEL, IDB_TREE_HEADING, IDB_TREE_HEADING_SEL,
                         IDB_TREE_CARD, IDB_TREE_CARD_SEL, IDB_TREE_NEW,     IDB_TREE_NEW_SEL};
  int index[8];
  for (int i = 0; i < 8; ++i) {
    CBitmap bitmap;
    bitmap.LoadBitmap(images[i]);
    index[i] = m_treeImages.Add(&bitmap, RGB(0, 128, 128));
  }
  m_nRootImage = index[0];
  m_nHeadingImage = index[2];
  m_nCardImage = index[4];
  m_nNewCardImage = index[6];
  m_treeCards.SetImageList(&m_treeImages, TVSIL_NORMAL);
}

void CCardTree::FreeImages() { m_treeImages.DeleteImageList(); }

// Each item's selected picture follows its own in the image list.
HTREEITEM CCardTree::InsertTreeItem(const char* text, int image, HTREEITEM parent,
                                    HTREEITEM after) {
  return m_treeCards.InsertItem(text, image, image + 1, parent, after);
}

void CCardTree::BuildTree(int mode, CardRecord& newCard) {
  char rootText[kGroupNameSize + 16];
  FormatRootText(rootText, m_table.m_cards[kOwnerSlot].name);
  m_hRootItem = InsertTreeItem(rootText, m_nRootImage, TVI_ROOT, TVI_LAST);
  m_table.m_cards[kOwnerSlot].treeItem = ToItemHandle(m_hRootItem);

  if (newCard.treeItem != nullptr) newCard.treeItem = ToItemHandle(InsertNewCardItem(newCard.name));

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

HTREEITEM CCardTree::InsertCardItem(int mode, int slot) {
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

HTREEITEM CCardTree::InsertNewCardItem(const char* name) {
  m_hNewCardItem = InsertTreeItem(name, m_nNewCardImage, m_hRootItem, TVI_FIRST);
  return m_hNewCardItem;
}

void CCardTree::SetRootText() {
  char text[kGroupNameSize + 16];
  FormatRootText(text, m_table.m_cards[kOwnerSlot].name);
  m_treeCards.SetItemText(m_hRootItem, text);
}

SelectionKind CCardTree::KindOf(HTREEITEM item) const {
  if (item == m_hRootItem) return SEL_OWNER;
  if (IsNewCardItem(item)) return SEL_NEWCARD;
  for (HTREEITEM heading : m_hHeadingItems) {
    if (heading != nullptr && heading == item) return SEL_HEADING;
  }
  return SEL_CARD;
}
