#include "cards/card_record.h"

#include <string.h>

#include "text/byte_text.h"

void CardTable::Clear() {
  memset(m_cards, 0, sizeof m_cards);
  m_nCardCount = 0;
}

void CardTable::MakeDefaultOwnerCard() {
  CardRecord& owner = m_cards[kOwnerSlot];
  memset(&owner, 0, sizeof owner);
  CopyCutString(owner.name, "ユーザー");
  CopyCutString(owner.reading, "ﾕｰｻﾞｰ");
  CopyCutString(owner.memo,
                "これは、アドレス帳起動時に表示されるユーザー用のカードです。"
                "自分のデータを入力して利用しましょう。");
  m_nCardCount = 1;
}

void CardTable::StoreCard(int slot, const CardRecord& card) {
  bool wasUsed = IsUsed(slot);
  m_cards[slot] = card;
  m_nCardCount += static_cast<int>(IsUsed(slot)) - static_cast<int>(wasUsed);
}

void CardTable::RemoveCard(int slot) {
  if (!IsUsed(slot)) return;
  memset(&m_cards[slot], 0, sizeof m_cards[slot]);
  --m_nCardCount;
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
