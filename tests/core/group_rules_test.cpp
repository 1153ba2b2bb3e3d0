#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/test_files.h"

namespace {

const char* NameOf(int index, char* buffer, int size, void* context) {
  auto* names = static_cast<std::vector<std::string>*>(context);
  if (index >= static_cast<int>(names->size())) return nullptr;
  snprintf(buffer, size, "%s", (*names)[index].c_str());
  return buffer;
}

bool IsDuplicate(const char* candidate, std::vector<std::string> names) {
  return IsDuplicateGroupName(candidate, NameOf, &names);
}

TEST(GroupNameRules, DuplicatesAreExactAndSoughtOnlyBeforeTheFirstEmptyName) {
  EXPECT_TRUE(IsDuplicate("仕事", {"友人", "仕事"}));
  EXPECT_FALSE(IsDuplicate("仕事 ", {"友人", "仕事"}));
  EXPECT_FALSE(IsDuplicate("ｼｺﾞﾄ", {"シゴト"}));
  EXPECT_FALSE(IsDuplicate("家族", {"友人", "", "家族"}));
  EXPECT_FALSE(IsDuplicate("家族", {}));
}

TEST(GroupNameRules, SixtyTwoBytesIsTheLongestNameTheFileGivesBack) {
  std::string name;
  for (int i = 0; i < 31; ++i) name += "あ";
  EXPECT_TRUE(FitsGroupFile(name.c_str()));
  EXPECT_FALSE(FitsGroupFile((name + "a").c_str()));
  EXPECT_TRUE(FitsGroupFile(""));
}

class GroupWriting : public ::testing::Test {
 protected:
  void TearDown() override { SafeFileWriter::FailAfterBytesForTesting(-1); }
  int Write(std::vector<std::string> names) {
    return WriteGroupNames(m_strPath.c_str(), NameOf, &names);
  }
  ScratchFolder m_folder;
  std::string m_strPath = m_folder.File("Group.dat");
};

TEST_F(GroupWriting, WritesEveryNameInOrderPastTheListsTen) {
  std::vector<std::string> names;
  std::string expected;
  for (int i = 0; i < 12; ++i) {
    names.push_back("g" + std::to_string(i));
    expected += names.back() + "\r\n";
  }
  names.push_back("");
  expected += "\r\n";
  EXPECT_EQ(1, Write(names));
  EXPECT_EQ(expected, ReadBytes(m_strPath));
  EXPECT_EQ(1, Write({}));
  EXPECT_EQ("", ReadBytes(m_strPath));
}

TEST_F(GroupWriting, AFailedWriteLeavesTheOldListWhole) {
  WriteBytes(m_strPath, "old\r\n");
  SafeFileWriter::FailAfterBytesForTesting(3);
  EXPECT_EQ(0, Write({"new one", "new two"}));
  EXPECT_EQ("old\r\n", ReadBytes(m_strPath));
  EXPECT_EQ(1u, FileCount(m_folder.Path()));
}

TEST_F(GroupWriting, ALongerFileKeepsEveryNameWhenTheListIsSaved) {
  std::string file;
  for (int i = 0; i < 12; ++i) file += "g" + std::to_string(i) + "\r\n";
  WriteBytes(m_strPath, file);
  GroupList list{};
  EXPECT_EQ(1, LoadGroupFile(m_strPath.c_str(), list));
  EXPECT_EQ(10, list.m_nGroupCount);
  EXPECT_EQ(1, SaveGroupFile(m_strPath.c_str(), list));
  EXPECT_EQ(file, ReadBytes(m_strPath));

  // Ten names are the whole file: saving writes it as usual.
  WriteBytes(m_strPath, "a\nb\n");
  EXPECT_EQ(1, LoadGroupFile(m_strPath.c_str(), list));
  EXPECT_EQ(0, list.m_bMoreInFile);
  EXPECT_EQ(1, SaveGroupFile(m_strPath.c_str(), list));
  EXPECT_EQ("a\r\nb\r\n", ReadBytes(m_strPath));
}

TEST(MovingCards, ReachesEveryUsedSlotAndTouchesOnlyTheGroup) {
  static CardTable table;
  memset(&table, 0, sizeof table);
  for (int slot : {0, 7, 499, 500}) {
    snprintf(table.m_cards[slot].name, 64, "card %d", slot);
    snprintf(table.m_cards[slot].group, 64, "%s", "旧");
    snprintf(table.m_cards[slot].lastModified, 32, "%s", "2020/1/1  00:00");
    table.m_cards[slot].modifyCount = 3;
  }
  snprintf(table.m_cards[8].name, 64, "%s", "other");
  snprintf(table.m_cards[8].group, 64, "%s", "旧 ");
  snprintf(table.m_cards[9].group, 64, "%s", "旧");  // a free slot keeps what it holds
  table.m_nCardCount = 5;

  EXPECT_EQ(4, MoveCardsToGroup(table.m_cards, "旧", "新しい名前"));
  for (int slot : {0, 7, 499, 500}) {
    EXPECT_STREQ("新しい名前", table.m_cards[slot].group) << slot;
    EXPECT_STREQ("2020/1/1  00:00", table.m_cards[slot].lastModified);
    EXPECT_EQ(3, table.m_cards[slot].modifyCount);
  }
  EXPECT_STREQ("旧 ", table.m_cards[8].group);
  EXPECT_STREQ("旧", table.m_cards[9].group);
  EXPECT_EQ(0, MoveCardsToGroup(table.m_cards, "誰もいない", "x"));
}

}  // namespace
