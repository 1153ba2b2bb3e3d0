#include <gtest/gtest.h>
#include <string.h>

#include "cards/card_record.h"

namespace {

TreeItemHandle Item(uintptr_t n) { return reinterpret_cast<TreeItemHandle>(n); }

class CardTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_table.Clear();
    for (int i = 0; i < 5; ++i) {
      snprintf(m_table.m_cards[i].name, sizeof m_table.m_cards[i].name, "card%d", i);
      m_table.m_cards[i].treeItem = Item(100 + i);
    }
    m_table.m_nCardCount = 5;
  }
  void Delete(int slot) { m_table.RemoveCard(slot); }
  static CardTable m_table;  // too large for the stack of a test thread
};
CardTable CardTableTest::m_table;

TEST_F(CardTableTest, ClearLeavesEverySlotZero) {
  m_table.Clear();
  EXPECT_EQ(0, m_table.m_nCardCount);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(m_table.m_cards);
  for (size_t i = 0; i < sizeof m_table.m_cards; ++i) ASSERT_EQ(0, bytes[i]) << i;
}

TEST_F(CardTableTest, SlotOfItemFindsUsedSlotsOnly) {
  EXPECT_EQ(0, m_table.SlotOfItem(Item(100)));  // the root
  EXPECT_EQ(4, m_table.SlotOfItem(Item(104)));
  EXPECT_EQ(-1, m_table.SlotOfItem(Item(999)));  // a heading or the new card
  EXPECT_EQ(-1, m_table.SlotOfItem(nullptr));
  Delete(2);
  EXPECT_EQ(-1, m_table.SlotOfItem(Item(102)));
  EXPECT_EQ(4, m_table.SlotOfItem(Item(104)));  // the walk goes past the gap
}

TEST_F(CardTableTest, StoringAndRemovingKeepTheCountToTheUsedSlots) {
  CardRecord card = {};
  strcpy(card.name, "new");
  m_table.StoreCard(7, card);  // a free slot
  EXPECT_EQ(6, m_table.m_nCardCount);
  m_table.StoreCard(2, card);  // over a card
  EXPECT_EQ(6, m_table.m_nCardCount);
  EXPECT_STREQ("new", m_table.m_cards[2].name);
  Delete(7);
  Delete(7);  // already free
  EXPECT_EQ(5, m_table.m_nCardCount);
  EXPECT_FALSE(m_table.IsUsed(7));
}

TEST_F(CardTableTest, FirstFreeIdTakesTheLowestGapElseTheCount) {
  EXPECT_EQ(5, m_table.FirstFreeId());
  Delete(3);
  EXPECT_EQ(3, m_table.FirstFreeId());
  Delete(1);
  EXPECT_EQ(1, m_table.FirstFreeId());
}

TEST_F(CardTableTest, FirstFreeIdLooksOnlyBelowTheCount) {
  // Two gaps at 1 and 2 leave the count at 3 while slots 3 and 4 are used:
  // the search ends below the count, so slot 1 is found but nothing above 2.
  Delete(1);
  Delete(2);
  EXPECT_EQ(3, m_table.m_nCardCount);
  EXPECT_EQ(1, m_table.FirstFreeId());
}

}  // namespace
