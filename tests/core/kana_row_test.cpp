#include "cards/kana_row.h"

#include <gtest/gtest.h>

namespace {

TEST(KanaRow, TakesTheRowOfTheFirstByteOnly) {
  EXPECT_EQ(0, KanaRowOfReading("ｱｲ"));
  EXPECT_EQ(0, KanaRowOfReading("ｵ"));
  EXPECT_EQ(1, KanaRowOfReading("ｶﾞｯｺｳ"));  // a voiced mark after it changes nothing
  EXPECT_EQ(1, KanaRowOfReading("ｺ"));
  EXPECT_EQ(2, KanaRowOfReading("ｻ"));
  EXPECT_EQ(3, KanaRowOfReading("ﾄ"));
  EXPECT_EQ(4, KanaRowOfReading("ﾉ"));
  EXPECT_EQ(5, KanaRowOfReading("ﾊ"));
  EXPECT_EQ(6, KanaRowOfReading("ﾓ"));
  EXPECT_EQ(7, KanaRowOfReading("ﾖ"));
  EXPECT_EQ(8, KanaRowOfReading("ﾛ"));
  EXPECT_EQ(9, KanaRowOfReading("ﾜ"));
  EXPECT_EQ(9, KanaRowOfReading("ﾝ"));
  EXPECT_STREQ("わ行", kKanaRowHeadings[9]);
}

TEST(KanaRow, SmallKanaSignsDigitsLettersAndWideTextAreOther) {
  for (const char* reading : {"ｦ", "ｧ", "ｯ", "ｰ", "ﾞ", "1", "A", "", "あ", "ア", " ｱ"}) {
    EXPECT_EQ(kOtherHeading, KanaRowOfReading(reading)) << reading;
  }
}

}  // namespace
