#include <gtest/gtest.h>
#include <string.h>

#include "cards/card_record.h"

namespace {

TreeItemHandle Item(uintptr_t n) { return reinterpret_cast<TreeItemHandle>(n); }

class CardTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table_.Clear();
    for (int i = 0; i < 5; ++i) {
      snprintf(table_.m_cards[i].name, sizeof table_.m_cards[i].name, "card%d", i);
      table_.m_cards[i].treeItem = Item(100 + i);
    }
    table_.m_nCardCount = 5;
  }
  void Delete(int slot) {
    memset(&table_.m_cards[slot], 0, sizeof table_.m_cards[slot]);
    --table_.m_nCardCount;
  }
  static CardTable table_;  // too large for the stack of a test thread
};
CardTable CardTableTest::table_;

TEST_F(CardTableTest, ClearLeavesEverySlotZero) {
  table_.Clear();
  EXPECT_EQ(0, table_.m_nCardCount);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(table_.m_cards);
  for (size_t i = 0; i < sizeof table_.m_cards; ++i) ASSERT_EQ(0, bytes[i]) << i;
}

TEST_F(CardTableTest, SlotOfItemFindsUsedSlotsOnly) {
  EXPECT_EQ(0, table_.SlotOfItem(Item(100)));  // the root
  EXPECT_EQ(4, table_.SlotOfItem(Item(104)));
  EXPECT_EQ(-1, table_.SlotOfItem(Item(999)));  // a heading or the new card
  EXPECT_EQ(-1, table_.SlotOfItem(nullptr));
  Delete(2);
  EXPECT_EQ(-1, table_.SlotOfItem(Item(102)));
  EXPECT_EQ(4, table_.SlotOfItem(Item(104)));  // the walk goes past the gap
}

TEST_F(CardTableTest, FirstFreeIdTakesTheLowestGapElseTheCount) {
  EXPECT_EQ(5, table_.FirstFreeId());
  Delete(3);
  EXPECT_EQ(3, table_.FirstFreeId());
  Delete(1);
  EXPECT_EQ(1, table_.FirstFreeId());
}

TEST_F(CardTableTest, FirstFreeIdLooksOnlyBelowTheCount) {
  // Two gaps at 1 and 2 leave the count at 3 while slots 3 and 4 are used:
  // the search ends below the count, so slot 1 is found but nothing above 2.
  Delete(1);
  Delete(2);
  EXPECT_EQ(3, table_.m_nCardCount);
  EXPECT_EQ(1, table_.FirstFreeId());
}

}  // namespace
