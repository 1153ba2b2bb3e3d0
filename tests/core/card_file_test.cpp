#include "cards/card_file.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "cards/book_paths.h"
#include "cards/safe_file.h"
#include "tests/core/test_files.h"

namespace {

const char kHeadingLine[] =
    "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t"
    "電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\t"
    "メモ\t作成日\t最終更新日\t更新回数\r\n";

const char kOwnerLine[] =
    "ユーザー\tﾕｰｻﾞｰ\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t"
    "これは、アドレス帳起動時に表示されるユーザー用のカードです。自分のデータを入力して利用しましょ"
    "う。"
    "\t\t\t0\r\n";

// A card line of the given name with every date and count filled in.
std::string CardLine(const std::string& name, const char* end = "\r\n") {
  return name + "\tﾖﾐ\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t2020/1/1  00:00\t2020/1/1  00:00\t1" +
         end;
}

class CardFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SafeFileWriter::FailAfterBytesForTesting(-1); }

  int Load() { return LoadCardFile(m_strPath.c_str(), m_table, m_clock); }
  int Save() { return SaveCardFile(m_strPath.c_str(), m_table); }
  void Put(const std::string& bytes) { WriteBytes(m_strPath, bytes); }
  std::string Names() const {
    std::string names;
    for (int i = 0; i < m_table.m_nCardCount; ++i)
      names += std::string(m_table.m_cards[i].name) + ";";
    return names;
  }

  ScratchFolder m_folder;
  std::string m_strPath = m_folder.File("Quillbook.dat");
  FixedClock m_clock;
  static CardTable m_table;
};
CardTable CardFileTest::m_table;

TEST_F(CardFileTest, MissingFileGivesTheDefaultOwnerCardWrittenBackExactly) {
  EXPECT_EQ(0, Load());
  EXPECT_EQ(1, m_table.m_nCardCount);
  EXPECT_STREQ("ユーザー", m_table.m_cards[0].name);
  EXPECT_STREQ("", m_table.m_cards[0].created);
  EXPECT_EQ(1, Save());
  EXPECT_EQ(std::string(kHeadingLine) + kOwnerLine, ReadBytes(m_strPath));
}

TEST_F(CardFileTest, HeadingOnlyOrOnlyShortLinesGiveTheDefaultOwnerCard) {
  Put(kHeadingLine);
  EXPECT_EQ(0, Load());
  EXPECT_STREQ("ユーザー", m_table.m_cards[0].name);
  Put(std::string(kHeadingLine) + "short line\r\n\r\n");
  EXPECT_EQ(0, Load());
  EXPECT_EQ(1, m_table.m_nCardCount);
  Put("");
  EXPECT_EQ(0, Load());
}

TEST_F(CardFileTest, SaveAndLoadCloseUpTheSlotsInOrder) {
  m_table.Clear();
  strcpy(m_table.m_cards[0].name, "owner");
  strcpy(m_table.m_cards[2].name, "two");
  strcpy(m_table.m_cards[2].memo, "メモ");
  strcpy(m_table.m_cards[2].created, "2020/1/2  03:04");
  strcpy(m_table.m_cards[2].lastModified, "x");
  m_table.m_cards[2].modifyCount = 7;
  strcpy(m_table.m_cards[5].name, "five");
  m_table.m_cards[5].phones[2].type = 3;
  m_table.m_nCardCount = 3;
  ASSERT_EQ(1, Save());
  ASSERT_EQ(1, Load());
  EXPECT_EQ("owner;two;five;", Names());
  EXPECT_STREQ("メモ", m_table.m_cards[1].memo);
  EXPECT_STREQ("2020/1/2  03:04", m_table.m_cards[1].created);
  EXPECT_EQ(7, m_table.m_cards[1].modifyCount);
  EXPECT_EQ(3, m_table.m_cards[2].phones[2].type);
  EXPECT_STREQ(kFixedStamp, m_table.m_cards[0].created);  // empty in the file
}

TEST_F(CardFileTest, AnEmptyDateGetsTheLoadTimeAndKeepsItAfterSaving) {
  Put(std::string(kHeadingLine) +
      "a\tb\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t\t2020/1/1  00:00\t4\r\n");
  Load();
  EXPECT_STREQ(kFixedStamp, m_table.m_cards[0].created);
  Save();
  EXPECT_NE(std::string::npos,
            ReadBytes(m_strPath).find(std::string("\t") + kFixedStamp + "\t2020/1/1"));
}

TEST_F(CardFileTest, LinesOfNineteenBytesAreSkippedAndTwentyMakeACard) {
  // Lengths count the line end as one byte, with CR LF or LF on disk.
  std::string nineteen = std::string(17, 'x') + "\t";
  std::string twenty = std::string(18, 'y') + "\t";
  Put(std::string(kHeadingLine) + CardLine("owner") + nineteen + "\r\n" + twenty + "\r\n" +
      nineteen + "\n" + twenty + "\n");
  Load();
  std::string y(18, 'y');
  EXPECT_EQ("owner;" + y + ";" + y + ";", Names());
}

TEST_F(CardFileTest, AcceptsBareLineFeedsAndALastLineWithoutLineEnd) {
  Put("heading\n" + CardLine("a", "\n") + CardLine("b", ""));
  EXPECT_EQ(1, Load());
  EXPECT_EQ("a;b;", Names());
  EXPECT_EQ(1, m_table.m_cards[0].modifyCount);
  EXPECT_EQ(0, m_table.m_cards[1].modifyCount);  // no line end: not converted
  // A file without a single LF has CR line ends; with one, a CR is text.
  Put("heading\r" + CardLine("c", "\r") + CardLine("d", "\r\r"));
  EXPECT_EQ(1, Load());
  EXPECT_EQ("c;d;", Names());
  EXPECT_EQ(1, m_table.m_cards[1].modifyCount);
  Put("heading\n" + CardLine("e", "\r") + CardLine("f"));
  Load();
  EXPECT_EQ("e;", Names());
  // A field that ends in a lone lead byte keeps its tab.
  Put("heading\r\n" + CardLine("g\x81") + CardLine("\xE0"));
  Load();
  EXPECT_EQ("g\x81;\xE0;", Names());
  EXPECT_STREQ("ﾖﾐ", m_table.m_cards[1].reading);
}

TEST_F(CardFileTest, FirstLineOfAForeignFileBecomesTheOwnerCard) {
  Put(std::string(kHeadingLine) + CardLine("佐藤") + CardLine("鈴木"));
  Load();
  EXPECT_STREQ("佐藤", m_table.m_cards[kOwnerSlot].name);
  EXPECT_EQ(2, m_table.m_nCardCount);
}

TEST_F(CardFileTest, ReadsAtMostFiveHundredCardLines) {
  std::string file = kHeadingLine;
  for (int i = 0; i < 502; ++i) file += CardLine("card" + std::to_string(i));
  Put(file);
  Load();
  EXPECT_EQ(500, m_table.m_nCardCount);
  EXPECT_STREQ("card499", m_table.m_cards[499].name);
  EXPECT_STREQ("", m_table.m_cards[500].name);
}

TEST_F(CardFileTest, ALineLongerThanTheBufferStaysOneCard) {
  std::string huge = "big\tﾖﾐ\t\t\t" + std::string(kLineBufferSize * 2, 'z') + "\t1\tafter\r\n";
  std::string longButFits = "long\t\t\t\t" + std::string(3000, 'w') +
                            "\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t" + std::string(3000, 'm') +
                            "\tc\tm\t8\r\n";
  Put(std::string(kHeadingLine) + huge + longButFits + CardLine("next"));
  Load();
  EXPECT_EQ("big;long;next;", Names());
  EXPECT_EQ(511u, strlen(m_table.m_cards[0].address));
  EXPECT_STREQ("ﾖﾐ", m_table.m_cards[0].reading);
  EXPECT_EQ(0, m_table.m_cards[0].modifyCount);
  // Every field of a line longer than the old 2,167-byte limit is read.
  EXPECT_EQ(511u, strlen(m_table.m_cards[1].memo));
  EXPECT_STREQ("m", m_table.m_cards[1].lastModified);
  EXPECT_EQ(8, m_table.m_cards[1].modifyCount);
}

TEST_F(CardFileTest, ACardWithEveryFieldFullRoundTrips) {
  m_table.Clear();
  CardRecord& card = m_table.m_cards[0];
  memset(card.name, 'n', 63);
  memset(card.address, 'a', 511);
  for (MailEntry& m : card.mails) memset(m.address, 'e', 255);
  memset(card.memo, 'm', 511);
  memset(card.created, 'c', 31);
  memset(card.lastModified, 'l', 31);
  card.modifyCount = -2147483647 - 1;
  m_table.m_nCardCount = 1;
  CardRecord before = card;
  ASSERT_EQ(1, Save());
  ASSERT_EQ(1, Load());
  EXPECT_EQ(1, m_table.m_nCardCount);
  EXPECT_EQ(0, memcmp(&before, &m_table.m_cards[0], sizeof before));
}

TEST_F(CardFileTest, EmptyNamesKeepTheirCardsSoTheCountMatchesTheSlots) {
  Put(std::string(kHeadingLine) + CardLine("") + CardLine("b") + CardLine(""));
  Load();
  EXPECT_EQ(3, m_table.m_nCardCount);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(m_table.IsUsed(i)) << i;
  Save();
  Load();
  EXPECT_EQ(3, m_table.m_nCardCount);
}

TEST_F(CardFileTest, AFailedSaveLeavesTheOldFileWhole) {
  Put(std::string(kHeadingLine) + CardLine("old"));
  std::string before = ReadBytes(m_strPath);
  m_table.Clear();
  for (int i = 0; i < 50; ++i) snprintf(m_table.m_cards[i].name, 64, "new%d", i);
  m_table.m_nCardCount = 50;
  for (long budget : {0L, 1L, 500L, 1000L}) {
    SafeFileWriter::FailAfterBytesForTesting(budget);
    EXPECT_EQ(0, Save()) << budget;
    EXPECT_EQ(before, ReadBytes(m_strPath)) << budget;
    EXPECT_EQ(1u, FileCount(m_folder.Path())) << budget;
  }
  SafeFileWriter::FailAfterBytesForTesting(-1);
  EXPECT_EQ(1, Save());
  Load();
  EXPECT_EQ(50, m_table.m_nCardCount);
}

// A copy kept beside the book takes one more than the highest number there:
// the newest copy has the highest, and there is always one more.
TEST_F(CardFileTest, AKeptCopyTakesOneMoreThanTheHighestNumber) {
  struct Row {
    std::vector<std::string> there;
    const char* kept;
  };
  const Row rows[] = {
      {{}, ".1.bak"},
      {{".1.bak", ".3.bak"}, ".4.bak"},
      {{".9999.bak"}, ".10000.bak"},
      {{".2.unsaved", ".x.bak", ".5.bak.old", ".7", "x.8.bak"}, ".1.bak"},
  };
  for (const Row& row : rows) {
    ScratchFolder folder;
    const std::string book = folder.File(kCardFileName);
    WriteBytes(book, std::string(kHeadingLine) + CardLine("a"));
    for (const std::string& name : row.there) WriteBytes(book + name, name);
    char kept[kPathBufferSize];
    FileProblem problem = FileProblem::kNone;
    ASSERT_TRUE(KeepCopyOf(book.c_str(), "bak", kept, problem)) << row.kept;
    EXPECT_EQ(book + row.kept, kept);
    EXPECT_EQ(ReadBytes(book), ReadBytes(kept));
    for (const std::string& name : row.there) EXPECT_EQ(name, ReadBytes(book + name));
  }
}

TEST_F(CardFileTest, UnwritableOrTooLongPathsFailWithoutHarm) {
  m_table.MakeDefaultOwnerCard();
  EXPECT_EQ(0, SaveCardFile(m_folder.File("no such folder/Quillbook.dat").c_str(), m_table));
  EXPECT_EQ(0, SaveCardFile(nullptr, m_table));
  EXPECT_EQ(0, LoadCardFile(nullptr, m_table, m_clock));
  EXPECT_EQ(1, m_table.m_nCardCount);
  std::string longDir(300, 'd');
  char path[kPathBufferSize];
  EXPECT_FALSE(BuildBookFilePath(path, longDir.c_str(), kCardFileName));
  EXPECT_EQ(0, SaveCardFile(path, m_table));
  EXPECT_EQ(0, LoadCardFile(path, m_table, m_clock));
}

}  // namespace
