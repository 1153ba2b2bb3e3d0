#include "cards/card_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Trimmed(std::string text) {
  TrimBlanks(&text[0]);
  return text.c_str();
}

TEST(CardRules, TrimRemovesOnlyHalfWidthBlanksAtBothEnds) {
  EXPECT_EQ("12", Trimmed(" 12 "));
  EXPECT_EQ("a b", Trimmed("  a b"));
  EXPECT_EQ("", Trimmed("   "));
  EXPECT_EQ("\tx　", Trimmed("\tx　 "));  // a tab and a full-width blank stay
}

TEST(CardRules, ReadingsTakeSingleByteCharactersOnly) {
  EXPECT_TRUE(IsHalfWidthReading("ﾔﾏﾀﾞ ﾀﾛｳ"));
  EXPECT_TRUE(IsHalfWidthReading("yamada"));
  EXPECT_FALSE(IsHalfWidthReading("やまだ"));
  EXPECT_FALSE(IsHalfWidthReading("ab\xA0"));
  EXPECT_FALSE(IsHalfWidthReading("\x80"));
  EXPECT_TRUE(IsHalfWidthReading("\xA1\xDF"));
}

TEST(CardRules, PhoneNumbersTakeDigitsSignsAndThePause) {
  EXPECT_TRUE(IsValidPhoneNumber(""));
  EXPECT_TRUE(IsValidPhoneNumber("03 (1234) 5678P123#*"));
  EXPECT_TRUE(IsValidPhoneNumber("+81-3-1234@!?"));
  EXPECT_FALSE(IsValidPhoneNumber("03-1234-5678p1"));
  EXPECT_FALSE(IsValidPhoneNumber("ext. A"));
  EXPECT_FALSE(IsValidPhoneNumber("03[1]"));
  EXPECT_FALSE(IsValidPhoneNumber("０３"));
  EXPECT_FALSE(IsValidPhoneNumber("1~2"));
}

TEST(CardRules, MailAddressesNeedAnAtAndAFullStopAfterIt) {
  EXPECT_TRUE(IsValidMailAddress(""));
  EXPECT_TRUE(IsValidMailAddress("taro.yamada@example.jp"));
  EXPECT_TRUE(IsValidMailAddress("@example.jp"));
  EXPECT_TRUE(IsValidMailAddress("a_b-c^~|#$=%`<>:;[](){}&!@x.y"));
  EXPECT_FALSE(IsValidMailAddress("taro+tag@example.jp"));
  EXPECT_FALSE(IsValidMailAddress("taro @example.jp"));
  EXPECT_FALSE(IsValidMailAddress("taro.yamada@example"));
  EXPECT_FALSE(IsValidMailAddress("taro@"));
  EXPECT_FALSE(IsValidMailAddress("taro\\x@example.jp"));
  EXPECT_FALSE(IsValidMailAddress("太郎@example.jp"));
}

TEST(CardRules, IdsAreOneToFiveHundredOrZeroForTheOwner) {
  EXPECT_EQ(12, ParseIdText("12abc"));
  EXPECT_EQ(0, ParseIdText("abc"));
  EXPECT_EQ(-5, ParseIdText("-5"));
  EXPECT_TRUE(IsAcceptedId("1", false));
  EXPECT_TRUE(IsAcceptedId("500", false));
  EXPECT_TRUE(IsAcceptedId("12abc", false));
  EXPECT_FALSE(IsAcceptedId("501", false));
  EXPECT_FALSE(IsAcceptedId("-5", true));
  EXPECT_FALSE(IsAcceptedId("abc", true));
  EXPECT_TRUE(IsAcceptedId("0", true));
  EXPECT_FALSE(IsAcceptedId("0", false));
  EXPECT_FALSE(IsAcceptedId("00", true));
  EXPECT_FALSE(IsAcceptedId("0x", true));
  EXPECT_FALSE(IsAcceptedId("-1", false));
  EXPECT_FALSE(IsAcceptedId("99999999999999", false));
}

TEST(CardRules, LineBreaksBecomeBlanks) {
  std::string text = "a\tb\r\nc";
  BlankOutLineBreaks(&text[0]);
  EXPECT_EQ("a b  c", text);
}

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
