#include "text/text_helpers.h"

#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <string>

namespace {

int Find(const std::string& text, char separator, int length = -1) {
  return FindSeparator(text.c_str(), length < 0 ? static_cast<int>(text.size()) : length,
                       separator);
}

TEST(FindSeparator, FindsTheFirstSeparatorWithinTheLength) {
  EXPECT_EQ(3, Find("abc\tdef", '\t'));
  EXPECT_EQ(-1, Find("abc\tdef", '\t', 3));
  EXPECT_EQ(-1, Find("abc", '\t', 0));
  EXPECT_EQ(-1, Find("abc", '\t', -4));
  EXPECT_EQ(0, Find("\t", '\t'));
  EXPECT_EQ(2, Find("ab\n", '\n'));
}

TEST(FindSeparator, BackslashHidesOnlyABackslashOrTheSeparator) {
  EXPECT_EQ(-1, Find("a\\\tb", '\t'));  // the field runs on
  EXPECT_EQ(4, Find("a\\\tb\tc", '\t'));
  EXPECT_EQ(3, Find("a\\\\\tb", '\t'));  // a doubled backslash hides nothing
  EXPECT_EQ(-1, Find("a\\,b", ','));
  EXPECT_EQ(2, Find("\\a,b", ','));  // a backslash before another byte
  // A backslash in the last place looks at the byte past the length, the NUL.
  std::unique_ptr<char[]> exact(new char[3]{'a', '\\', '\0'});
  EXPECT_EQ(-1, FindSeparator(exact.get(), 2, '\t'));
}

TEST(FindSeparator, NeverTakesASecondByteForASeparatorOrAnEscape) {
  EXPECT_EQ(2, Find("ソ\t", '\t'));  // 0x83 0x5C: the 0x5C is not a backslash
  EXPECT_EQ(2, Find("表\t", '\t'));
  EXPECT_EQ(2, Find("\xA0"
                    "a\t",
                    '\t'));             // 0xA0 also starts a two-byte pair here
  EXPECT_EQ(-1, Find("\x81\t", '\t'));  // a lead byte swallows the tab
  EXPECT_EQ(1, Find("\xA1\t", '\t'));   // half-width kana are one byte
  EXPECT_EQ(4, Find("\xFF\t\xE0,,", ','));
}

std::string Quote(const std::string& source) {
  char out[64];
  QuoteField(source.c_str(), out);
  return out;
}

TEST(QuoteField, EnclosesAndDoublesInnerQuotes) {
  EXPECT_EQ("\"a\"\"b\"", Quote("a\"b"));
  EXPECT_EQ("\"\"", Quote(""));
  EXPECT_EQ("\"\"\"\"\"\"", Quote("\"\""));
  EXPECT_EQ("\"ソ,表\"", Quote("ソ,表"));
}

struct Unquoted {
  int result;
  std::string text;  // the whole buffer up to its NUL
};

Unquoted Unquote(const std::string& line, char delimiter = ',') {
  char buffer[64];
  memset(buffer, 'X', sizeof buffer);
  memcpy(buffer, line.c_str(), line.size() + 1);
  int result = UnquoteField(buffer, static_cast<int>(line.size()), delimiter);
  // Every byte from the new end up to the old one must be NUL.
  if (result >= 0) {
    size_t end = strlen(buffer);
    for (size_t i = end; i <= line.size(); ++i) EXPECT_EQ('\0', buffer[i]) << line << " at " << i;
  }
  return {result, buffer};
}

TEST(UnquoteField, TakesQuotedFieldsInPlace) {
  Unquoted u = Unquote("\"a\"\"b\",\"x\"\n");
  EXPECT_EQ(3, u.result);
  EXPECT_EQ("a\"b", u.text.substr(0, 3));
  EXPECT_EQ(3, Unquote("\"abc\"\n").result);
  u = Unquote("\"ab\"cd,\"x\"\n");
  EXPECT_EQ(4, u.result);
  EXPECT_EQ("abcd", u.text.substr(0, 4));
  EXPECT_EQ(1, Unquote("\"a\tb\"\n").result);  // a control byte ends the field
  u = Unquote("\"a,b\",\"c\"\n");
  EXPECT_EQ(3, u.result);  // the delimiter inside the quotes is text
  EXPECT_EQ("a,b", u.text.substr(0, 3));
}

TEST(UnquoteField, DeclinesWhatIsNotAQuotedField) {
  EXPECT_EQ(-1, Unquote("\"\",x\n").result);
  EXPECT_EQ(-1, Unquote("abc,\"d\"\n").result);
  Unquoted u = Unquote("\"a\",b\n");  // neither quote-delimiter-quote nor quote-newline
  EXPECT_EQ(-1, u.result);
  EXPECT_EQ("\"a\",b\n", u.text);
  EXPECT_EQ(-1, Unquote("").result);
  EXPECT_EQ(-1, Unquote("\"").result);
}

TEST(UnquoteField, StopsAtTheEndOfTheText) {
  Unquoted u = Unquote("\"ab\"\n", '\t');
  EXPECT_EQ(2, u.result);
  EXPECT_EQ("ab\n", u.text);
  u = Unquote("\"\"\"\"\n");  // a field of one doubled quote
  EXPECT_EQ(1, u.result);
  EXPECT_EQ("\"\n", u.text);
}

std::string Half(std::string text) {
  std::string buffer = text + std::string(4, '\0');
  int n = ToHalfWidth(&buffer[0]);
  EXPECT_EQ(static_cast<size_t>(n), strlen(buffer.c_str()));
  return buffer.substr(0, static_cast<size_t>(n));
}

TEST(ToHalfWidth, NarrowsDigitsLettersAndKana) {
  EXPECT_EQ("012ABc", Half("０１２ＡＢｃ"));
  EXPECT_EQ("\xB6\xDE\xAF\xBA\xB3", Half("がっこう"));    // ｶﾞｯｺｳ
  EXPECT_EQ("\xCA\xDF\xDD", Half("パン"));                // ﾊﾟﾝ
  EXPECT_EQ("\xA2\xC3\xBD\xC4\xA3", Half("「テスト」"));  // ｢ﾃｽﾄ｣
  EXPECT_EQ("\x83\x90", Half("ゐ"));                      // stays ヰ
  EXPECT_EQ("\x83\x90\x83\x91", Half("ヰヱ"));
  EXPECT_EQ("\xB3\xDE\xB6\xB9", Half("ヴヵヶ"));    // ｳﾞｶｹ
  EXPECT_EQ("\xDC\xDC\xA6\xA6", Half("ゎヮをヲ"));  // ﾜﾜｦｦ
  EXPECT_EQ("\xA7\xAC\xAF\xA7", Half("ぁゃっァ"));
  EXPECT_EQ("09AZaz", Half("０９ＡＺａｚ"));
}

TEST(ToHalfWidth, NarrowsSymbolsAndKeepsThoseWithoutAForm) {
  EXPECT_EQ(" ,.:;?!", Half("　，．：；？！"));
  EXPECT_EQ("\xA4\xA1\xA5\xDE\xDF", Half("、。・゛゜"));
  EXPECT_EQ("'`^_o---/|", Half("´｀＾＿〇ー―‐／｜"));
  EXPECT_EQ("''\"\"()[][]{}<>", Half("‘’“”（）〔〕［］｛｝〈〉"));
  EXPECT_EQ("+-=<>\xDF'\"\\$%#&*@", Half("＋−＝＜＞°′″￥＄％＃＆＊＠"));
  EXPECT_EQ("＼～『』【】《》±×÷ヽ々", Half("＼～『』【】《》±×÷ヽ々"));
  EXPECT_EQ("漢字", Half("漢字"));
}

TEST(ToHalfWidth, CopiesHalfWidthTextAndUnknownPairsUnchanged) {
  EXPECT_EQ("abc \xB1\xB2\xDE", Half("abc ｱｲﾞ"));
  EXPECT_EQ("", Half(""));
  EXPECT_EQ("\x82\x9B\x82\xF2\x83\x97", Half("\x82\x9B\x82\xF2\x83\x97"));
  EXPECT_EQ(" ", Half("\x83\x7F"));  // the unassigned code between ミ and ム
  EXPECT_EQ("\xD0\xD1", Half("ミム"));
}

TEST(ToHalfWidth, ALeadByteAtTheEndIsCopiedAloneAndNothingIsWrittenPastIt) {
  char text[] = {'a', '\x82', '\0', 'Z', 'Z'};
  EXPECT_EQ(2, ToHalfWidth(text));
  EXPECT_STREQ("a\x82", text);
  EXPECT_EQ('Z', text[3]);
  EXPECT_EQ("1\x81", Half("１\x81"));
}

}  // namespace
