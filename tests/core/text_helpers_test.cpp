#include "text/text_helpers.h"

#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <random>
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
                    '\t'));  // 0xA0 also starts a two-byte pair here
  // A byte below 0x40 is never a second byte: a lone lead byte keeps no
  // tab, line end or comma from ending its field.
  EXPECT_EQ(1, Find("\x81\t", '\t'));
  EXPECT_EQ(2, Find("a\xFC\n", '\n'));
  EXPECT_EQ(3, Find("\xE0\x01\xA0,", ','));
  EXPECT_EQ(-1, Find("\x81", '\t'));   // nor takes the NUL past the length
  EXPECT_EQ(1, Find("\xA1\t", '\t'));  // half-width kana are one byte
  EXPECT_EQ(3, Find("\xFF\t\xE0,,", ','));
  EXPECT_EQ(2, Find("\x80\\\t", '\t'));  // 0x80 too, with a 0x5C second byte
}

// The plain walk, one character at a time, that FindSeparator must agree
// with on every input.
int ReferenceFindSeparator(const char* text, int length, char separator) {
  const unsigned char sep = static_cast<unsigned char>(separator);
  for (int i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    unsigned char next = static_cast<unsigned char>(text[i + 1]);
    if (byte == '\\') {
      if (next == '\\' || next == sep) ++i;
    } else if (byte == sep) {
      return i;
    } else if (((byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0) && next >= 0x40) {
      ++i;
    }
  }
  return -1;
}

TEST(FindSeparator, AgreesWithThePlainWalkOnEveryInput) {
  static const char kBytes[] = {'a',    '\\',   '\t',   ',',    '\n',   '\0',   '\x81', '\x5C',
                                '\xA0', '\xE0', '\xFF', '\x80', '\xA1', '\x3F', '\x40', 'Z'};
  static const char kSeparators[] = {'\t', ',', '\n', '\0', '\\', '\x81', 'Z', '\x40'};
  std::mt19937 random(14);
  char text[80];
  for (int round = 0; round < 200000; ++round) {
    int length = static_cast<int>(random() % 64);
    for (int i = 0; i <= length; ++i) text[i] = kBytes[random() % sizeof kBytes];
    if (random() % 4 == 0) memset(text, '\x82', static_cast<size_t>(length / 2));
    char separator = kSeparators[random() % sizeof kSeparators];
    ASSERT_EQ(ReferenceFindSeparator(text, length, separator),
              FindSeparator(text, length, separator))
        << "round " << round;
  }
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
  // The promised room is enough for a source of nothing but quotes.
  std::unique_ptr<char[]> exact(new char[2 * 3 + 3]);
  QuoteField("\"\"\"", exact.get());
  EXPECT_STREQ("\"\"\"\"\"\"\"\"", exact.get());
}

struct Unquoted {
  int result;
  std::string text;  // the whole buffer up to its NUL
};

// The buffer is exactly the line and its NUL, so any read or write past them
// shows under the address sanitizer.
Unquoted Unquote(const std::string& line, char delimiter = ',') {
  std::unique_ptr<char[]> buffer(new char[line.size() + 1]);
  memcpy(buffer.get(), line.c_str(), line.size() + 1);
  int result = UnquoteField(buffer.get(), static_cast<int>(line.size()), delimiter);
  // Every byte from the new end up to the old one must be NUL.
  if (result >= 0) {
    size_t end = strlen(buffer.get());
    for (size_t i = end; i <= line.size(); ++i) EXPECT_EQ('\0', buffer[i]) << line << " at " << i;
  }
  return {result, buffer.get()};
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
  EXPECT_EQ(-1, Unquote("abc,\"d\"\n").result);
  Unquoted u = Unquote("\"a,b\n");  // the quote is still open at the line end
  EXPECT_EQ(-1, u.result);
  EXPECT_EQ("\"a,b\n", u.text);
  EXPECT_EQ(-1, Unquote("\"a\"\"b\n").result);  // a doubled quote does not close it
  EXPECT_EQ(-1, Unquote("\"ab").result);
  EXPECT_EQ(-1, Unquote("").result);
  EXPECT_EQ(-1, Unquote("\"").result);
}

// As spreadsheet programs write them: a quoted column followed by a bare one,
// or alone on its line, is still a quoted column.
TEST(UnquoteField, TakesAQuotedColumnWhateverFollowsIt) {
  Unquoted u = Unquote("\"a\",b\n");
  EXPECT_EQ(1, u.result);
  EXPECT_EQ("a,b\n", u.text);
  u = Unquote("\"Anytown, WW\",08123\n");
  EXPECT_EQ(11, u.result);
  EXPECT_EQ("Anytown, WW,08123\n", u.text);
  u = Unquote("\"\",x\n");  // an empty quoted column
  EXPECT_EQ(0, u.result);
  EXPECT_EQ(",x\n", u.text);
  EXPECT_EQ(2, Unquote("\"ab\"").result);  // the end of the text closes the line
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

TEST(NarrowReading, GivesTheHalfWidthKatakanaThePanelStores) {
  const struct {
    const char* typed;
    const char* stored;
  } kCases[] = {
      {"やまだ　たろう", "\xD4\xCF\xC0\xDE \xC0\xDB\xB3"},  // ﾔﾏﾀﾞ ﾀﾛｳ
      {"ユーザー", "\xD5\xB0\xBB\xDE\xB0"},                 // ﾕｰｻﾞｰ, not ﾕ-ｻﾞ-
      {"ヴァイオリン", "\xB3\xDE\xA7\xB2\xB5\xD8\xDD"},
      {"\xD4\xCF\xC0\xDE", "\xD4\xCF\xC0\xDE"},  // already half-width
      {"山田ゐ", "山田\x83\x90"},                // no half-width form: kept
      {"\x82", "\x82"},                          // a lead byte that ends the text
  };
  for (const auto& c : kCases) {
    std::string text = c.typed;
    text.resize(text.size() + 1);
    int n = NarrowReading(&text[0]);
    EXPECT_EQ(c.stored, text.substr(0, static_cast<size_t>(n))) << c.typed;
  }
}

// Every code from first to last, converted at once.
std::string HalfOfRange(unsigned char lead, int first, int last) {
  std::string text;
  for (int second = first; second <= last; ++second) {
    text += static_cast<char>(lead);
    text += static_cast<char>(second);
  }
  return Half(text);
}

TEST(ToHalfWidth, NarrowsEveryKanaByteForByte) {
  EXPECT_EQ(
      "\xA7\xB1\xA8\xB2\xA9\xB3\xAA\xB4\xAB\xB5\xB6\xB6\xDE\xB7\xB7\xDE\xB8\xB8\xDE\xB9"
      "\xB9\xDE\xBA\xBA\xDE\xBB\xBB\xDE\xBC\xBC\xDE\xBD\xBD\xDE\xBE\xBE\xDE\xBF\xBF\xDE"
      "\xC0\xC0\xDE\xC1\xC1\xDE\xAF\xC2\xC2\xDE\xC3\xC3\xDE\xC4\xC4\xDE\xC5\xC6\xC7\xC8"
      "\xC9\xCA\xCA\xDE\xCA\xDF\xCB\xCB\xDE\xCB\xDF\xCC\xCC\xDE\xCC\xDF\xCD\xCD\xDE\xCD"
      "\xDF\xCE\xCE\xDE\xCE\xDF\xCF\xD0\xD1\xD2\xD3\xAC\xD4\xAD\xD5\xAE\xD6\xD7\xD8\xD9"
      "\xDA\xDB\xDC\xDC\x83\x90\x83\x91\xA6\xDD",
      HalfOfRange(0x82, 0x9F, 0xF1));
  EXPECT_EQ(
      "\xA7\xB1\xA8\xB2\xA9\xB3\xAA\xB4\xAB\xB5\xB6\xB6\xDE\xB7\xB7\xDE\xB8\xB8\xDE\xB9"
      "\xB9\xDE\xBA\xBA\xDE\xBB\xBB\xDE\xBC\xBC\xDE\xBD\xBD\xDE\xBE\xBE\xDE\xBF\xBF\xDE"
      "\xC0\xC0\xDE\xC1\xC1\xDE\xAF\xC2\xC2\xDE\xC3\xC3\xDE\xC4\xC4\xDE\xC5\xC6\xC7\xC8"
      "\xC9\xCA\xCA\xDE\xCA\xDF\xCB\xCB\xDE\xCB\xDF\xCC\xCC\xDE\xCC\xDF\xCD\xCD\xDE\xCD"
      "\xDF\xCE\xCE\xDE\xCE\xDF\xCF\xD0\x20\xD1\xD2\xD3\xAC\xD4\xAD\xD5\xAE\xD6\xD7\xD8"
      "\xD9\xDA\xDB\xDC\xDC\x83\x90\x83\x91\xA6\xDD\xB3\xDE\xB6\xB9",
      HalfOfRange(0x83, 0x40, 0x96));
}

TEST(ToHalfWidth, NarrowsExactlyTheSymbolsThatHaveAForm) {
  // The ideographic space and 52 symbols narrow to one byte each; the other
  // 35 codes of 0x8140-0x8197 stay two bytes.
  EXPECT_EQ(static_cast<size_t>(53 + 35 * 2), HalfOfRange(0x81, 0x40, 0x97).size());
  EXPECT_EQ("\x81\x3F\x81\x98", HalfOfRange(0x81, 0x3F, 0x3F) + HalfOfRange(0x81, 0x98, 0x98));
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
  // 0x80, 0xA0 and 0xFF stand alone here, unlike 0xE0-0xFE.
  EXPECT_EQ(
      "\x80"
      "0\xA0"
      "0\xFF"
      "0",
      Half("\x80\x82\x4F\xA0\x82\x4F\xFF\x82\x4F"));
  EXPECT_EQ("\xFE\x82O", Half("\xFE\x82\x4F"));
}

TEST(ToHalfWidth, ALeadByteAtTheEndIsCopiedAloneAndNothingIsWrittenPastIt) {
  char text[] = {'a', '\x82', '\0', 'Z', 'Z'};
  EXPECT_EQ(2, ToHalfWidth(text));
  EXPECT_STREQ("a\x82", text);
  EXPECT_EQ('Z', text[3]);
  EXPECT_EQ("1\x81", Half("１\x81"));
}

}  // namespace
