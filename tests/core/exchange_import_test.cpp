#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "cards/card_line.h"
#include "cards/safe_file.h"
#include "exchange/book_file.h"
#include "tests/core/exchange_fixture.h"

namespace {

const char kLimitText[] = "登録可能最大件数を超えました。\n残りはインポートされません。";

class ImportTest : public ExchangeTest {
 protected:
  std::string Lines(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += "n" + std::to_string(i) + "\r\n";
    return bytes;
  }
};

TEST_F(ImportTest, AppendsOneCardLinePerLineAfterTheBook) {
  PutBookOf(1);
  std::string before = BookBytes();
  Columns({"名前", "", "電話番号種別1", "電話番号1"});
  PutExchangeFile("heading, whatever it says\r\n山田\tskipped\t 2\t03-1234\r\n鈴木\t\tx\t090\n");
  ASSERT_EQ(1, Import());
  EXPECT_EQ(2, m_book.m_nImported);
  EXPECT_TRUE(m_messages.told.empty());
  EXPECT_EQ(before + ExchangeCardLine({"山田", "", "", "", "", "2", "03-1234"}) + "\r\n" +
                ExchangeCardLine({"鈴木", "", "", "", "", "0", "090"}) + "\r\n",
            BookBytes());
}

TEST_F(ImportTest, TheHeadingLineIsSkippedEvenWhenItHoldsACard) {
  PutBookOf(1);
  Columns({"名前", "読み"});
  PutExchangeFile("山田\tﾔﾏﾀﾞ\r\n鈴木\tｽｽﾞｷ\r\n");
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(2, m_book.m_nBookCards);
  EXPECT_EQ("鈴木", Field(1, kExName));
  m_options.heading = 0;
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(4, m_book.m_nBookCards);
  EXPECT_EQ("山田", Field(2, kExName));
}

TEST_F(ImportTest, AnExportReadsBackWithTheLastColumnWithoutItsLineEnd) {
  PutBook({ExchangeCardLine({"山田", "ﾔﾏﾀﾞ"}), ExchangeCardLine({"鈴木", "ｽｽﾞｷ"})});
  Columns({"名前", "読み"}, ',');
  ASSERT_EQ(1, Export());
  PutBookOf(1);
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(3, m_book.m_nBookCards);
  EXPECT_EQ("ﾔﾏﾀﾞ", Field(1, kExReading));
  EXPECT_EQ("ｽｽﾞｷ", Field(2, kExReading));
}

TEST_F(ImportTest, ShortLinesLeaveFieldsEmptyAndExtraColumnsAreDropped) {
  PutBookOf(1);
  Columns({"名前", "読み", "メモ"}, ',', 0);
  PutExchangeFile("a\r\nb,c,d,e,f\r\n");
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(3, m_book.m_nBookCards);
  EXPECT_EQ("a", Field(1, kExName));
  EXPECT_EQ("", Field(1, kExReading));
  EXPECT_EQ("c", Field(2, kExReading));
  EXPECT_EQ("d", Field(2, kExMemo));
}

TEST_F(ImportTest, QuotedColumnsAsSpreadsheetsWriteThem) {
  PutBookOf(1);
  Columns({"名前", "住所", "郵便番号"}, ',', 0);
  PutExchangeFile(
      "\"a\",b\r\n"
      "\"a,b\",\"c\"\r\n"
      "x,\"Anytown, WW\",08123\r\n"
      "\"\",\"say \"\"hi\"\"\",\"open\r\n"
      "\"q\"r,\\\"s\r\n"
      // A cell of several lines, as spreadsheets write one typed with
      // Alt+Enter: one card, each line break a blank, the columns in place.
      "y,\"京都市\r\n左京区\",075\r\n"
      "\"two\r\n\r\nbreaks\",z\r\n"
      // A quote that no line closes leaves its line alone.
      "\"never\r\nclosed\r\n");
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(10, m_book.m_nBookCards);
  EXPECT_EQ("a", Field(1, kExName));
  EXPECT_EQ("b", Field(1, kExAddress));
  EXPECT_EQ("a,b", Field(2, kExName));
  EXPECT_EQ("c", Field(2, kExAddress));
  EXPECT_EQ("Anytown, WW", Field(3, kExAddress));
  EXPECT_EQ("08123", Field(3, kExPostalCode));
  EXPECT_EQ("", Field(4, kExName));  // an empty quoted column
  EXPECT_EQ("say \"hi\"", Field(4, kExAddress));
  EXPECT_EQ("\"open", Field(4, kExPostalCode));  // never closed: taken bare
  EXPECT_EQ("qr", Field(5, kExName));
  EXPECT_EQ("\\\"s", Field(5, kExAddress));
  EXPECT_EQ("y", Field(6, kExName));
  EXPECT_EQ("京都市 左京区", Field(6, kExAddress));
  EXPECT_EQ("075", Field(6, kExPostalCode));
  EXPECT_EQ("two  breaks", Field(7, kExName));
  EXPECT_EQ("z", Field(7, kExAddress));
  EXPECT_EQ("\"never", Field(8, kExName));
  EXPECT_EQ("closed", Field(9, kExName));
}

TEST_F(ImportTest, ALongTextIsCutAtACharacterBoundary) {
  PutBookOf(1);
  Columns({"名前", "郵便番号"}, '\t', 0);
  // 62 letters and a two-byte character: 64 bytes for a 63-byte name.
  PutExchangeFile(std::string(62, 'a') + "あ\t〒1234567890123\r\n");
  ASSERT_EQ(1, Import());
  Reload();
  EXPECT_EQ(std::string(62, 'a'), Field(1, kExName));
  EXPECT_EQ("〒1234567890123", Field(1, kExPostalCode));  // exactly 15 bytes
  EXPECT_EQ(2, m_book.m_nBookCards);
}

TEST_F(ImportTest, EveryLineOfTheFileIsOneCardAndEmptyLinesNone) {
  PutBookOf(1);
  Columns({"名前", "メモ"}, '\t', 0);
  std::string longMemo(kLineBufferSize + 500, 'm');
  PutExchangeFile("a\tx\r\n\r\n\nb\t" + longMemo + "\r\nc\t\r\n\r\n");
  ASSERT_EQ(1, Import());
  EXPECT_EQ(3, m_book.m_nImported);
  Reload();
  ASSERT_EQ(4, m_book.m_nBookCards);
  EXPECT_EQ("b", Field(2, kExName));
  EXPECT_EQ(std::string(511, 'm'), Field(2, kExMemo));
  EXPECT_EQ("c", Field(3, kExName));
  // A file without a single LF has CR line ends; a lone lead byte never
  // takes the delimiter after it, and keeps a blank after it in the book.
  PutExchangeFile("d\x81\tx\r\re\tEND\r");
  ASSERT_EQ(1, Import());
  EXPECT_EQ(2, m_book.m_nImported);
  Reload();
  EXPECT_EQ("d\x81 ", Field(4, kExName));
  EXPECT_EQ("x", Field(4, kExMemo));
  EXPECT_EQ("END", Field(5, kExMemo));
  // Nor does one stray LF make a file of CRs one line: the line end that
  // most lines have is the file's.
  PutExchangeFile("f\rg\rh\ni\r");
  ASSERT_EQ(1, Import());
  EXPECT_EQ(3, m_book.m_nImported);
  Reload();
  EXPECT_EQ("h i", Field(8, kExName));
}

TEST_F(ImportTest, StopsAtFiveHundredCardsWithTheLimitMessage) {
  PutBookOf(490);
  Columns({"名前"}, '\t', 0);
  PutExchangeFile(Lines(20));
  ASSERT_EQ(1, Import());
  EXPECT_EQ(10, m_book.m_nImported);
  ASSERT_EQ(1u, m_messages.told.size());
  EXPECT_EQ(kLimitText, m_messages.told[0].first);
  EXPECT_EQ(kExchangeInformation, m_messages.told[0].second);
  Reload();
  ASSERT_EQ(500, m_book.m_nBookCards);
  EXPECT_EQ("n9", Field(499, kExName));

  // Full: nothing is added, and the message only when a line remains.
  m_messages.told.clear();
  ASSERT_EQ(1, Import());
  EXPECT_EQ(0, m_book.m_nImported);
  EXPECT_EQ(1u, m_messages.told.size());
  m_options.heading = 1;
  PutExchangeFile("heading only\r\n\r\n");
  m_messages.told.clear();
  ASSERT_EQ(1, Import());
  EXPECT_TRUE(m_messages.told.empty());
}

TEST_F(ImportTest, FillingTheBookExactlyNeedsNoMessage) {
  PutBookOf(490);
  Columns({"名前"}, '\t', 0);
  PutExchangeFile(Lines(10));
  ASSERT_EQ(1, Import());
  EXPECT_EQ(10, m_book.m_nImported);
  EXPECT_TRUE(m_messages.told.empty());
}

TEST_F(ImportTest, FailuresTellTheirMessageAndLeaveTheBookAsItWas) {
  Columns({"名前"});
  PutExchangeFile("h\r\na\r\n");
  EXPECT_EQ(0, Import());  // no card file: no message of its own
  EXPECT_TRUE(m_messages.told.empty());

  PutBookOf(3);
  std::string before = BookBytes();
  m_options.path[0] = '\0';
  EXPECT_EQ(0, Import());
  UseFile("missing.txt");
  EXPECT_EQ(0, Import());
  UseFile("exchange.txt");
  m_options.delimiter = 0;
  EXPECT_EQ(0, Import());
  ASSERT_EQ(3u, m_messages.told.size());
  EXPECT_EQ("インポートファイルを設定して下さい。", m_messages.told[0].first);
  EXPECT_EQ(kExchangeStop, m_messages.told[0].second);
  EXPECT_EQ("インポートファイルを開けませんでした！", m_messages.told[1].first);
  EXPECT_EQ(kExchangeExclamation, m_messages.told[1].second);
  EXPECT_EQ(kExchangeStop, m_messages.told[2].second);
  EXPECT_EQ(before, BookBytes());
}

TEST_F(ImportTest, AFailedAppendLeavesTheBookWhole) {
  PutBookOf(3);
  std::string before = BookBytes();
  Columns({"名前"});
  PutExchangeFile("h\r\n" + Lines(50));
  for (long budget : {0L, 10L, static_cast<long>(before.size()) + 100}) {
    SafeFileWriter::FailAfterBytesForTesting(budget);
    m_messages.told.clear();
    EXPECT_EQ(0, Import());
    EXPECT_EQ(0, m_book.m_nImported);
    EXPECT_EQ(before, BookBytes());
    ASSERT_EQ(1u, m_messages.told.size());
    EXPECT_EQ(kExchangeStop, m_messages.told[0].second);
  }
}

TEST_F(ImportTest, ABookWithoutItsLastLineEndKeepsEveryCard) {
  WriteBytes(BookPath(), std::string(kBookHeading) + "\r\n" + ExchangeCardLine({"own"}));
  Columns({"名前"}, '\t', 0);
  PutExchangeFile("new\r\n");
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(2, m_book.m_nBookCards);
  EXPECT_EQ("own", Field(0, kExName));
  EXPECT_EQ("new", Field(1, kExName));
}

// The import counts the book's cards from its bytes as it copies them: the
// load's count, whatever the line ends and lengths, wherever blocks break;
// and the grown book holds them and the imported card after them, a book
// of CR line ends (older programs') included.
TEST_F(ImportTest, TheCopyCountsTheCardsThatTheLoadCounts) {
  const char* const kEnds[] = {"\n", "\r\n", "\r", "\r\r\n"};
  std::mt19937 random(25);
  Columns({"名前"}, '\t', 0);
  PutExchangeFile("imported\r\n");
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    for (int n = static_cast<int>(random() % (round % 50 == 0 ? 600 : 12)); n > 0; --n) {
      bytes += std::string(17 + random() % 5, 'x');  // about as long as the shortest card line
      if (random() % 40 == 0) bytes += std::string(70000, 'y');
      bytes += round % 5 == 0 ? "\r" : kEnds[random() % 4];
    }
    if (random() % 3 == 0) bytes += std::string(random() % 24, 'z');  // no line end
    WriteBytes(BookPath(), bytes);
    ASSERT_EQ(1, m_book.LoadBookFile(m_options.dataDirectory, 0));
    CardLineCounter counter;
    for (size_t at = 0, chunk; at < bytes.size(); at += chunk) {
      chunk = std::min(bytes.size() - at, static_cast<size_t>(1 + random() % 70));
      counter.Take(bytes.data() + at, chunk);
    }
    ASSERT_EQ(m_book.m_nBookCards, counter.Finish()) << "round " << round;
    // A last line without its end gets one, which may make it a card.
    const int cards = m_book.m_nBookCards;
    ASSERT_EQ(1, Import()) << "round " << round;
    const int imported = m_book.m_nImported;
    Reload();
    EXPECT_EQ(cards < kMaxCards - 1 ? 1 : imported, imported) << "round " << round;
    EXPECT_LE(std::min(cards + imported, kMaxCards), m_book.m_nBookCards) << "round " << round;
    if (imported == 1) {
      EXPECT_EQ("imported", Field(m_book.m_nBookCards - 1, kExName)) << "round " << round;
    }
  }
}

class RecordedProblems : public ImportReport {
 public:
  void LineProblems(long lineNumber, unsigned problems) override {
    seen += std::to_string(lineNumber) + ":" + std::to_string(problems) + " ";
  }
  std::string seen;
};

TEST_F(ImportTest, ATrialImportReportsEachLinesProblemsAndWritesNothing) {
  PutBookOf(495);
  std::string before = BookBytes();
  Columns({"名前", "郵便番号"}, ',');
  PutExchangeFile(
      "h\r\nok,1\r\nshort\r\n\r\nlong,12345678901234567\r\na,b,c\r\nlast,1\r\nover\r\n");
  RecordedProblems report;
  ASSERT_EQ(1, m_book.TryImportCards(m_options, m_messages, report));
  EXPECT_EQ(5, m_book.m_nImported);
  EXPECT_EQ("3:4 5:1 6:2 8:8 ", report.seen);
  EXPECT_EQ(before, BookBytes());
  EXPECT_EQ(1u, m_messages.told.size());  // the limit, as the import would tell it
}

}  // namespace
