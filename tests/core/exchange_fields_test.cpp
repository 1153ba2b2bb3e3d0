#include <gtest/gtest.h>

#include <string>

#include "tests/core/exchange_fixture.h"

namespace {

using FieldListTest = ExchangeTest;

TEST_F(FieldListTest, NamesComeFromTheCardFilesHeadingLine) {
  PutBookOf(1);
  ASSERT_EQ(1, ReadFieldList(options_.dataDirectory, options_));
  ASSERT_EQ(kExchangeFieldCount, options_.fieldCount);
  for (int i = 0; i < kExchangeFieldCount; ++i) {
    EXPECT_STREQ(kExchangeFieldNames[i], options_.fields[i]);
    EXPECT_EQ(i, FindExchangeField(options_, kExchangeFieldNames[i]));
  }
  EXPECT_EQ(-1, FindExchangeField(options_, "作成日"));  // only the exchanged fields
  EXPECT_EQ(-1, FindExchangeField(options_, kBlankEntryText));
}

TEST_F(FieldListTest, AForeignHeadingIsCutAtTabsAndLaterBars) {
  WriteBytes(BookPath(), "\tA|B\t\tC|D\r\n");
  ASSERT_EQ(1, ReadFieldList(options_.dataDirectory, options_));
  ASSERT_EQ(3, options_.fieldCount);
  EXPECT_STREQ("A|B", options_.fields[0]);
  EXPECT_STREQ("C", options_.fields[1]);
  EXPECT_STREQ("D", options_.fields[2]);
}

TEST_F(FieldListTest, AnUnreadableBookGivesTheErrorEntry) {
  EXPECT_EQ(0, ReadFieldList(options_.dataDirectory, options_));
  ASSERT_EQ(1, options_.fieldCount);
  EXPECT_STREQ("エラー！", options_.fields[0]);
}

TEST_F(FieldListTest, FieldsAreStoredWithinTheirWidths) {
  book_.LoadBookFile(options_.dataDirectory, 0);  // clears the book
  std::string number = " -12x";
  EXPECT_EQ(0, book_.SetExchangeField(0, kExMailType2, number.data(), number.size()));
  EXPECT_EQ("-12", Field(0, kExMailType2));
  EXPECT_EQ(0, book_.SetExchangeField(0, kExPhoneType3, "x", 1));
  EXPECT_EQ("0", Field(0, kExPhoneType3));
  std::string phone(30, '9');
  EXPECT_EQ(1, book_.SetExchangeField(0, kExPhone2, phone.data(), phone.size()));
  EXPECT_EQ(std::string(23, '9'), Field(0, kExPhone2));
  EXPECT_EQ(0, book_.SetExchangeField(0, kExchangeFieldCount, "x", 1));
  EXPECT_EQ("", Field(0, kExchangeFieldCount));
  EXPECT_EQ("", Field(0, -1));
}

}  // namespace
