#include <gtest/gtest.h>

#include <string>

#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/test_files.h"

namespace {

class GroupFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SafeFileWriter::FailAfterBytesForTesting(-1); }
  int Load() { return LoadGroupFile(m_strPath.c_str(), m_list); }
  int Save() { return SaveGroupFile(m_strPath.c_str(), m_list); }
  std::string Names() const {
    std::string names;
    for (int i = 0; i < m_list.m_nGroupCount; ++i)
      names += std::string(m_list.m_groups[i].name) + ";";
    return names;
  }

  ScratchFolder m_folder;
  std::string m_strPath = m_folder.File("Group.dat");
  GroupList m_list{};
};

TEST_F(GroupFileTest, MissingFileIsAnEmptyListAndSavesAsAnEmptyFile) {
  EXPECT_EQ(0, Load());
  EXPECT_EQ(0, m_list.m_nGroupCount);
  EXPECT_EQ(1, Save());
  EXPECT_TRUE(FileExists(m_strPath));
  EXPECT_EQ("", ReadBytes(m_strPath));
}

TEST_F(GroupFileTest, ReadsLinesInOrderWithBlanksDuplicatesAndBothLineEnds) {
  WriteBytes(m_strPath, "家族\r\n\r\n友人\n家族\r\n");
  EXPECT_EQ(1, Load());
  EXPECT_EQ("家族;;友人;家族;", Names());
  EXPECT_EQ(1, Save());
  EXPECT_EQ("家族\r\n\r\n友人\r\n家族\r\n", ReadBytes(m_strPath));
  // Without a single LF, CRs end the lines.
  WriteBytes(m_strPath, "家族\r友人\r\rlost");
  Load();
  EXPECT_EQ("家族;友人;;", Names());
  // A last line without its end is not read, so the file is kept as it is.
  WriteBytes(m_strPath, "家族\r\nlost without line end");
  EXPECT_EQ(1, Load());
  EXPECT_EQ("家族;", Names());
  EXPECT_EQ(1, Save());
  EXPECT_EQ("家族\r\nlost without line end", ReadBytes(m_strPath));
}

TEST_F(GroupFileTest, LongLinesKeepOnlyTheirLastPieceOfSixtyThreeBytes) {
  std::string kept62(62, 'k');
  std::string name63(63, 'a');
  std::string name64 = std::string(63, 'b') + "Z";
  std::string name126(126, 'c');
  std::string name130 = std::string(126, 'd') + "tail";
  WriteBytes(m_strPath, kept62 + "\r\n" + name63 + "\r\n" + name64 + "\r\n" + name126 + "\r\n" +
                            name130 + "\r\n");
  Load();
  EXPECT_EQ(kept62 + ";;Z;;tail;", Names());
}

TEST_F(GroupFileTest, ASixtyTwoByteNameSurvivesSaveAndLoad) {
  std::string name;
  for (int i = 0; i < 31; ++i) name += "あ";
  m_list.Clear();
  m_list.Add(name.c_str());
  m_list.Add("ソ表");
  Save();
  Load();
  EXPECT_EQ(name + ";ソ表;", Names());
}

TEST_F(GroupFileTest, KeepsTheFirstTenNames) {
  std::string file;
  for (int i = 0; i < 12; ++i) file += "g" + std::to_string(i) + "\r\n";
  WriteBytes(m_strPath, file);
  Load();
  EXPECT_EQ(10, m_list.m_nGroupCount);
  EXPECT_STREQ("g9", m_list.m_groups[9].name);
}

TEST_F(GroupFileTest, ALineEndInsideANameNeverSplitsIt) {
  m_list.Clear();
  m_list.Add("a\nb");
  Save();
  Load();
  EXPECT_EQ("a b;", Names());
}

TEST_F(GroupFileTest, AFailedSaveLeavesTheOldFileWhole) {
  WriteBytes(m_strPath, "old\r\n");
  m_list.Clear();
  m_list.Add("new one");
  m_list.Add("new two");
  SafeFileWriter::FailAfterBytesForTesting(5);
  EXPECT_EQ(0, Save());
  EXPECT_EQ("old\r\n", ReadBytes(m_strPath));
  SafeFileWriter::FailAfterBytesForTesting(-1);
  EXPECT_EQ(0, SaveGroupFile(m_folder.File("missing/Group.dat").c_str(), m_list));
}

}  // namespace
