#include "postcard/vertical_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(VerticalText, AddressesTakeTheVerticalConventions) {
  struct Row {
    const char* address;
    NumberJoin join;
    const char* first;
    const char* second;
  };
  const Row kRows[] = {
      {"芝公園4-2-8", NumberJoin::kLongVowel, "芝公園四ー二ー八", ""},
      {"1丁目23番地", NumberJoin::kLongVowel, "一丁目二三番地", ""},
      {"ＡＢＣビル5F", NumberJoin::kLongVowel, "ＡＢＣビル５Ｆ", ""},
      {"10", NumberJoin::kLongVowel, "一〇", ""},
      {"芝公園４－２－８", NumberJoin::kNo, "芝公園四の二の八", ""},
      // The building goes to the second column at the first blank after
      // the street number; a blank before it stays.
      {" 東京都 港区芝公園4-2-8　ＡＢＣビル 5F ", NumberJoin::kLongVowel,
       "東京都　港区芝公園四ー二ー八", "ＡＢＣビル　５Ｆ"},
      {"梅田1-1, B1 #3", NumberJoin::kLongVowel, "梅田一ー一，", "Ｂ１　＃三"},
      {"-5-", NumberJoin::kLongVowel, "－五－", ""},
  };
  for (const Row& row : kRows) {
    VerticalAddress out;
    ToVerticalAddress(row.address, row.join, out);
    EXPECT_STREQ(row.first, out.first) << row.address;
    EXPECT_STREQ(row.second, out.second) << row.address;
  }
  char name[32];
  EXPECT_EQ(20u, ToVerticalText(" Jane Doe 3 ", name, sizeof name));
  EXPECT_STREQ("Ｊａｎｅ　Ｄｏｅ　３", name);
  EXPECT_EQ(4u, ToVerticalText("ABC", name, 6));  // cut between characters
}

TEST(VerticalText, HonorificsAndPostalCodes) {
  EXPECT_TRUE(EndsWithHonorific("山田商事 御中"));
  EXPECT_TRUE(EndsWithHonorific("山田様　"));
  EXPECT_FALSE(EndsWithHonorific("山田"));
  EXPECT_FALSE(EndsWithHonorific("\x88\x97l"));  // 様 (97 6C) across two characters

  const struct {
    const char* code;
    const char* digits;  // null when refused
  } kCodes[] = {
      {"１０５－００１１", "1050011"},
      {"105-0011", "1050011"},
      {"〒 1050011", "1050011"},
      {"105-001", nullptr},
      {"105-00111", nullptr},
      {"105-0011A", nullptr},
      {"", nullptr},
  };
  for (const auto& row : kCodes) {
    char digits[kPostalDigits + 1];
    EXPECT_EQ(row.digits != nullptr, ReadPostalCode(row.code, digits)) << row.code;
    if (row.digits != nullptr) {
      EXPECT_STREQ(row.digits, digits);
    }
  }
}

}  // namespace
