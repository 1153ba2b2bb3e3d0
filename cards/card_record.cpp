#include "cards/card_record.h"

#include <string.h>

void CardTable::Clear() {
  memset(m_cards, 0, sizeof m_cards);
  m_nCardCount = 0;
}

int CardTable::SlotOfItem(TreeItemHandle item) const {
  if (item == nullptr) return -1;  // a slot whose item is not made yet is not "the" item
  int visited = 0;
  for (int slot = 0; slot < kCardSlots && visited < m_nCardCount; ++slot) {
    if (!IsUsed(slot)) continue;
    ++visited;
    if (m_cards[slot].treeItem == item) return slot;
  }
  return -1;
}

int CardTable::FirstFreeId() const {
  for (int slot = 1; slot < m_nCardCount && slot < kCardSlots; ++slot) {
    if (!IsUsed(slot)) return slot;
  }
  return m_nCardCount;
}
