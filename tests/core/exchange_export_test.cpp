#include <gtest/gtest.h>
#include <stdio.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/core/exchange_fixture.h"

namespace {

using ExportTest = ExchangeTest;

TEST_F(ExportTest, WritesTheHeadingAndOneLinePerCardInColumnOrder) {
  PutBook({ExchangeCardLine({"ユーザー", "ﾕｰｻﾞｰ"}),
           ExchangeCardLine({"山田太郎", "ﾔﾏﾀﾞ", "", "", "", "2", "03-1234"})});
  Columns({"名前", "", "電話番号1"});
  std::string book = BookBytes();
  ASSERT_EQ(1, Export());
  EXPECT_EQ("名前\t \t電話番号1\r\nユーザー\t\t\r\n山田太郎\t\t03-1234\r\n", ExchangeFile());
  EXPECT_TRUE(m_messages.told.empty());
  EXPECT_EQ(book, BookBytes());  // the card file is only read
}

TEST_F(ExportTest, TypesAreDecimalNumbersAndBlanksLeadWithEmptyColumns) {
  PutBook({ExchangeCardLine({"a", "", "", "", "東京都", "", "", "-3"})});
  Columns({"", "", "", "住所", "電話番号種別1", "電話番号種別2"}, ',', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ(",,,東京都,0,-3\r\n", ExchangeFile());
}

TEST_F(ExportTest, CommaColumnsAreQuotedOnlyWhenABareOneWouldNotReadBack) {
  // memo: a, quote, b stays bare; a leading quote, a hidden-comma ending and
  // a comma all need quotes, and so does a lone lead byte at the end, which
  // a reader that pairs every lead byte with the next would join to the
  // comma.
  PutBook({ExchangeCardLine({"a\"b", "\"x", "", "", "東京都,港区", "", "", "", "", "", "", "", "",
                             "", "", "", "", "ソ\\\\"}),
           ExchangeCardLine({"a\\,b", "x\x81", "", "", "東京"})});
  Columns({"名前", "読み", "住所", "メモ"}, ',', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ(
      "a\"b,\"\"\"x\",\"東京都,港区\",ソ\\\\\r\n"
      "a\\,b,\"x\x81\",東京,\r\n",
      ExchangeFile());
  // A tab column keeps a blank after it, as the card file does.
  Columns({"読み", "住所"}, '\t', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ("\"x\t東京都,港区\r\nx\x81 \t東京\r\n", ExchangeFile());
}

TEST_F(ExportTest, AControlByteInAQuotedColumnIsABlankSoThatTheLaterColumnsStayInPlace) {
  // The import ends a quoted column at a control byte; a bare one keeps it.
  PutBook(
      {ExchangeCardLine({"a,\x01"
                         "b",
                         "r\x01", "", "", "", "7"})});
  Columns({"名前", "読み", "電話番号種別1"}, ',', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ("\"a, b\",r\x01,7\r\n", ExchangeFile());
  PutBookOf(1);
  ASSERT_EQ(1, Import());
  Reload();
  ASSERT_EQ(2, m_book.m_nBookCards);
  EXPECT_EQ("a, b", Field(1, kExName));
  EXPECT_EQ("r\x01", Field(1, kExReading));
  EXPECT_EQ("7", Field(1, kExPhoneType1));
}

TEST_F(ExportTest, AFieldCutToEndInABackslashCannotHideTheNextDelimiter) {
  // 62 letters, an escaped backslash pair and more: the name keeps 63 bytes,
  // the last a lone backslash.
  std::string longName = std::string(62, 'a') + "\\\\bcd";
  PutBook({ExchangeCardLine({longName, "r"})});
  Columns({"名前", "読み"}, '\t', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ(std::string(62, 'a') + "\\ \tr\r\n", ExchangeFile());
  Columns({"名前", "読み"}, ',', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ("\"" + std::string(62, 'a') + "\\\",r\r\n", ExchangeFile());
}

TEST_F(ExportTest, ABookWithoutCardsWritesOnlyTheHeadingOrNothing) {
  PutBook({"short line"});
  Columns({"名前", "メモ"}, ',');
  ASSERT_EQ(1, Export());
  EXPECT_EQ("名前,メモ\r\n", ExchangeFile());
  Columns({"名前", "メモ"}, ',', 0);
  ASSERT_EQ(1, Export());
  EXPECT_EQ("", ExchangeFile());
}

TEST_F(ExportTest, FailuresTellTheirMessageAndWriteNothing) {
  Columns({"名前"});
  EXPECT_EQ(0, Export());  // no card file: no message of its own
  EXPECT_TRUE(m_messages.told.empty());

  PutBookOf(2);
  m_options.path[0] = '\0';
  EXPECT_EQ(0, Export());
  UseFile("missing/folder.txt");
  EXPECT_EQ(0, Export());
  ASSERT_EQ(2u, m_messages.told.size());
  EXPECT_EQ("エクスポートファイルを設定して下さい。", m_messages.told[0].first);
  EXPECT_EQ(kExchangeStop, m_messages.told[0].second);
  EXPECT_EQ("エクスポートファイルを作成できませんでした！", m_messages.told[1].first);
  EXPECT_EQ(kExchangeExclamation, m_messages.told[1].second);
}

TEST_F(ExportTest, NoChosenDelimiterIsRefusedBeforeTheFileIsEmptied) {
  PutBookOf(2);
  Columns({"名前"});
  PutExchangeFile("keep me");
  m_options.delimiter = 0;
  EXPECT_EQ(0, Export());
  EXPECT_EQ("keep me", ExchangeFile());
  ASSERT_EQ(1u, m_messages.told.size());
  EXPECT_EQ(kExchangeStop, m_messages.told[0].second);
}

// The export takes the card file a line at a time without loading the book;
// what it writes is what the loaded book gives, whatever the lines hold.
TEST_F(ExportTest, ALineAtATimeWritesWhatTheLoadedBookGives) {
  const std::string kPieces[] = {
      "a",  ",",           "\"",         "\\", "ソ", "\x81", "\x01", std::string(1, '\0'),
      " 7", "-2",          "007",        "+",  "\r", "x,\"", "ｱ",    std::string(70, 'w'),
      "9",  "-2147483648", "99999999999"};
  std::vector<std::string> names(kExchangeFieldNames, kExchangeFieldNames + kExchangeFieldCount);
  names.push_back("");
  std::mt19937 random(25);
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> lines;
    for (int card = 0; card < 20; ++card) {
      std::string line;
      for (int field = static_cast<int>(random() % 22); field > 0; --field) {
        for (int piece = static_cast<int>(random() % 4); piece > 0; --piece) {
          line += kPieces[random() % std::size(kPieces)];
        }
        if (random() % 6 == 0) line += std::string(random() % 520, 'l') + "表";
        line += "\t";
      }
      lines.push_back(line + std::string(20, 'e'));
    }
    PutBook(lines);
    std::vector<std::string> columns;
    for (int n = static_cast<int>(random() % 24); n > 0; --n) {
      columns.push_back(names[random() % names.size()]);
    }
    Columns(columns, round % 2 ? ',' : '\t', static_cast<int>(random() % 2));
    ASSERT_EQ(1, Export());
    FILE* stream = tmpfile();
    ASSERT_EQ(1, m_book.ExportCardsTo(stream, m_options, m_messages));
    std::string loaded(static_cast<size_t>(ftell(stream)), '\0');
    rewind(stream);
    ASSERT_EQ(loaded.size(), fread(&loaded[0], 1, loaded.size(), stream));
    fclose(stream);
    ASSERT_EQ(loaded, ExchangeFile()) << "round " << round;
  }
}

TEST_F(ExportTest, ColumnsNameFieldsByTheFieldListsExactText) {
  PutBook({ExchangeCardLine({"n", "r", "g"})});
  Columns({"名前", "読み"}, '\t', 0);
  strcpy(m_options.fields[0], "氏名");  // a heading of another wording
  strcpy(m_options.order[0], "氏名");
  strcpy(m_options.fields[1], "氏名");  // only the first equal text counts
  ASSERT_EQ(1, Export());
  EXPECT_EQ("n\t\r\n", ExchangeFile());  // 読み is no longer in the list
}

}  // namespace
