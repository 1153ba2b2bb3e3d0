#include <gtest/gtest.h>

#include <string>

#include "tests/core/exchange_fixture.h"

namespace {

using FieldListTest = ExchangeTest;

TEST_F(FieldListTest, NamesComeFromTheCardFilesHeadingLine) {
  PutBookOf(1);
  ASSERT_EQ(1, ReadFieldList(m_options.dataDirectory, m_options));
  ASSERT_EQ(kExchangeFieldCount, m_options.fieldCount);
  for (int i = 0; i < kExchangeFieldCount; ++i) {
    EXPECT_STREQ(kExchangeFieldNames[i], m_options.fields[i]);
    EXPECT_EQ(i, FindExchangeField(m_options, kExchangeFieldNames[i]));
  }
  EXPECT_EQ(-1, FindExchangeField(m_options, "作成日"));  // only the exchanged fields
  EXPECT_EQ(-1, FindExchangeField(m_options, kBlankEntryText));
}

TEST_F(FieldListTest, AForeignHeadingIsCutAtTabsAndLaterBars) {
  WriteBytes(BookPath(), "\tA|B\t\tC|D\r\n");
  ASSERT_EQ(1, ReadFieldList(m_options.dataDirectory, m_options));
  ASSERT_EQ(3, m_options.fieldCount);
  EXPECT_STREQ("A|B", m_options.fields[0]);
  EXPECT_STREQ("C", m_options.fields[1]);
  EXPECT_STREQ("D", m_options.fields[2]);
}

TEST_F(FieldListTest, AnUnreadableBookGivesTheErrorEntry) {
  EXPECT_EQ(0, ReadFieldList(m_options.dataDirectory, m_options));
  ASSERT_EQ(1, m_options.fieldCount);
  EXPECT_STREQ("エラー！", m_options.fields[0]);
}

TEST_F(FieldListTest, FieldsAreStoredWithinTheirWidths) {
  m_book.LoadBookFile(m_options.dataDirectory, 0);  // clears the book
  std::string number = " -12x";
  EXPECT_EQ(0, m_book.SetExchangeField(0, kExMailType2, number.data(), number.size()));
  EXPECT_EQ("-12", Field(0, kExMailType2));
  EXPECT_EQ(0, m_book.SetExchangeField(0, kExPhoneType3, "x", 1));
  EXPECT_EQ("0", Field(0, kExPhoneType3));
  std::string phone(30, '9');
  EXPECT_EQ(1, m_book.SetExchangeField(0, kExPhone2, phone.data(), phone.size()));
  EXPECT_EQ(std::string(23, '9'), Field(0, kExPhone2));
  EXPECT_EQ(0, m_book.SetExchangeField(0, kExchangeFieldCount, "x", 1));
  EXPECT_EQ("", Field(0, kExchangeFieldCount));
  EXPECT_EQ("", Field(0, -1));
}

}  // namespace
