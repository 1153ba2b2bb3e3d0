#include <gtest/gtest.h>

#include <string>

#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/test_files.h"

namespace {

class GroupFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SafeFileWriter::FailAfterBytesForTesting(-1); }
  int Load() { return LoadGroupFile(path_.c_str(), list_); }
  int Save() { return SaveGroupFile(path_.c_str(), list_); }
  std::string Names() const {
    std::string names;
    for (int i = 0; i < list_.m_nGroupCount; ++i)
      names += std::string(list_.m_groups[i].name) + ";";
    return names;
  }

  ScratchFolder folder_;
  std::string path_ = folder_.File("Group.dat");
  GroupList list_{};
};

TEST_F(GroupFileTest, MissingFileIsAnEmptyListAndSavesAsAnEmptyFile) {
  EXPECT_EQ(0, Load());
  EXPECT_EQ(0, list_.m_nGroupCount);
  EXPECT_EQ(1, Save());
  EXPECT_TRUE(FileExists(path_));
  EXPECT_EQ("", ReadBytes(path_));
}

TEST_F(GroupFileTest, ReadsLinesInOrderWithBlanksDuplicatesAndBothLineEnds) {
  WriteBytes(path_, "家族\r\n\r\n友人\n家族\r\n");
  EXPECT_EQ(1, Load());
  EXPECT_EQ("家族;;友人;家族;", Names());
  EXPECT_EQ(1, Save());
  EXPECT_EQ("家族\r\n\r\n友人\r\n家族\r\n", ReadBytes(path_));
  // Without a single LF, CRs end the lines.
  WriteBytes(path_, "家族\r友人\r\rlost");
  Load();
  EXPECT_EQ("家族;友人;;", Names());
  // A last line without its end is not read, so the file is kept as it is.
  WriteBytes(path_, "家族\r\nlost without line end");
  EXPECT_EQ(1, Load());
  EXPECT_EQ("家族;", Names());
  EXPECT_EQ(1, Save());
  EXPECT_EQ("家族\r\nlost without line end", ReadBytes(path_));
}

TEST_F(GroupFileTest, LongLinesKeepOnlyTheirLastPieceOfSixtyThreeBytes) {
  std::string kept62(62, 'k');
  std::string name63(63, 'a');
  std::string name64 = std::string(63, 'b') + "Z";
  std::string name126(126, 'c');
  std::string name130 = std::string(126, 'd') + "tail";
  WriteBytes(path_, kept62 + "\r\n" + name63 + "\r\n" + name64 + "\r\n" + name126 + "\r\n" +
                        name130 + "\r\n");
  Load();
  EXPECT_EQ(kept62 + ";;Z;;tail;", Names());
}

TEST_F(GroupFileTest, ASixtyTwoByteNameSurvivesSaveAndLoad) {
  std::string name;
  for (int i = 0; i < 31; ++i) name += "あ";
  list_.Clear();
  list_.Add(name.c_str());
  list_.Add("ソ表");
  Save();
  Load();
  EXPECT_EQ(name + ";ソ表;", Names());
}

TEST_F(GroupFileTest, KeepsTheFirstTenNames) {
  std::string file;
  for (int i = 0; i < 12; ++i) file += "g" + std::to_string(i) + "\r\n";
  WriteBytes(path_, file);
  Load();
  EXPECT_EQ(10, list_.m_nGroupCount);
  EXPECT_STREQ("g9", list_.m_groups[9].name);
}

TEST_F(GroupFileTest, ALineEndInsideANameNeverSplitsIt) {
  list_.Clear();
  list_.Add("a\nb");
  Save();
  Load();
  EXPECT_EQ("a b;", Names());
}

TEST_F(GroupFileTest, AFailedSaveLeavesTheOldFileWhole) {
  WriteBytes(path_, "old\r\n");
  list_.Clear();
  list_.Add("new one");
  list_.Add("new two");
  SafeFileWriter::FailAfterBytesForTesting(5);
  EXPECT_EQ(0, Save());
  EXPECT_EQ("old\r\n", ReadBytes(path_));
  SafeFileWriter::FailAfterBytesForTesting(-1);
  EXPECT_EQ(0, SaveGroupFile(folder_.File("missing/Group.dat").c_str(), list_));
}

}  // namespace
