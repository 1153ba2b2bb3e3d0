#include "cards/card_line.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "tests/core/test_files.h"
#include "text/text_helpers.h"

namespace {

std::string Line(const CardRecord& card) {
  char out[kMaxCardLineBytes + 1];
  int n = FormatCardLine(card, out);
  return std::string(out, static_cast<size_t>(n));
}

CardRecord Parse(const std::string& line) {
  CardRecord card;
  memset(&card, 0, sizeof card);
  FixedClock clock;
  LoadTime now(clock);
  ParseCardLine(line.c_str(), static_cast<int>(line.size()), card, now);
  return card;
}

// A raw copy: unlike the loader's cut, it may leave half a character.
void CopyCutStringForTest(char* field, size_t width, const std::string& text) {
  size_t n = text.size() < width - 1 ? text.size() : width - 1;
  memcpy(field, text.data(), n);
  field[n] = '\0';
}

// Where the reader of today finds the tabs of a line.
std::vector<size_t> Tabs(const std::string& line) {
  std::vector<size_t> tabs;
  const int size = static_cast<int>(line.size());
  for (int at = 0, d; (d = FindSeparator(line.c_str() + at, size - at, '\t')) >= 0; at += d + 1) {
    tabs.push_back(static_cast<size_t>(at + d));
  }
  return tabs;
}

// Where a reader finds them that pairs every lead byte (0x80-0xA0,
// 0xE0-0xFF) with the byte after it, whatever that byte is, as other
// installs and older programs do.
std::vector<size_t> TabsPairingEveryLeadByte(const std::string& line) {
  std::vector<size_t> tabs;
  for (size_t i = 0; i < line.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (c == '\\') {
      if (next == '\\' || next == '\t') ++i;
    } else if (c == '\t') {
      tabs.push_back(i);
    } else if ((c >= 0x80 && c <= 0xA0) || c >= 0xE0) {
      ++i;
    }
  }
  return tabs;
}

std::string Fields(std::initializer_list<const char*> fields) {
  std::string line;
  for (const char* f : fields) line += std::string(f) + "\t";
  line.back() = '\n';
  return line;
}

TEST(ParseDecimal, SkipsBlanksButNotTabsAndSaturates) {
  auto parse = [](const char* s) { return ParseDecimal(s, s + strlen(s)); };
  EXPECT_EQ(42, parse("  42x"));
  EXPECT_EQ(-7, parse("-7"));
  EXPECT_EQ(3, parse("+3"));
  EXPECT_EQ(0, parse("\t5"));
  EXPECT_EQ(0, parse(""));
  EXPECT_EQ(2147483647, parse("99999999999999999999"));
  EXPECT_EQ(-2147483647 - 1, parse("-2147483648"));
  EXPECT_EQ(-2147483647 - 1, parse("-99999999999"));
}

TEST(FormatDecimal, WritesWhatPercentDWrites) {
  for (int32_t value : {0, 7, -7, 10, 2147483647, -2147483647 - 1}) {
    char out[kDecimalTextSize];
    char expected[kDecimalTextSize];
    snprintf(expected, sizeof expected, "%d", static_cast<int>(value));
    EXPECT_EQ(static_cast<int>(strlen(expected)), FormatDecimal(value, out));
    EXPECT_STREQ(expected, out);
  }
}

TEST(CardLine, ParsesAllTwentyOneFieldsInOrder) {
  CardRecord card = Parse(Fields({"山田 太郎",
                                  "ﾔﾏﾀﾞ",
                                  "友人",
                                  "100-0001",
                                  "東京都",
                                  "1",
                                  "03-1",
                                  "2",
                                  "090-2",
                                  "4",
                                  "fax",
                                  "0",
                                  "a@b",
                                  "1",
                                  "c@d",
                                  "2",
                                  "e@f",
                                  "メモ",
                                  "2020/1/2  03:04",
                                  "2021/5/6  07:08",
                                  "12"}));
  EXPECT_STREQ("山田 太郎", card.name);
  EXPECT_STREQ("ﾔﾏﾀﾞ", card.reading);
  EXPECT_STREQ("友人", card.group);
  EXPECT_STREQ("100-0001", card.postalCode);
  EXPECT_STREQ("東京都", card.address);
  EXPECT_EQ(1, card.phones[0].type);
  EXPECT_STREQ("03-1", card.phones[0].number);
  EXPECT_EQ(2, card.phones[1].type);
  EXPECT_EQ(4, card.phones[2].type);
  EXPECT_STREQ("fax", card.phones[2].number);
  EXPECT_EQ(0, card.mails[0].type);
  EXPECT_STREQ("a@b", card.mails[0].address);
  EXPECT_EQ(2, card.mails[2].type);
  EXPECT_STREQ("e@f", card.mails[2].address);
  EXPECT_STREQ("メモ", card.memo);
  EXPECT_STREQ("2020/1/2  03:04", card.created);
  EXPECT_STREQ("2021/5/6  07:08", card.lastModified);
  EXPECT_EQ(12, card.modifyCount);
}

TEST(CardLine, EmptyTypeFieldReadsZeroNotTheNextField) {
  CardRecord card = Parse(Fields({"n", "", "", "", "", "", "5551234", " 3", "",  "-2", "",
                                  "",  "", "", "", "", "", "",        "x",  "y", "7"}));
  EXPECT_EQ(0, card.phones[0].type);
  EXPECT_STREQ("5551234", card.phones[0].number);
  EXPECT_EQ(3, card.phones[1].type);
  EXPECT_EQ(-2, card.phones[2].type);
}

TEST(CardLine, EmptyDatesGetTheLoadTimeAskedMinuteFirst) {
  FixedClock clock;
  LoadTime now(clock);
  std::string line = Fields(
      {"n", "", "", "", "", "0", "", "0", "", "0", "", "0", "", "0", "", "0", "", "", "", "", "3"});
  CardRecord card;
  memset(&card, 0, sizeof card);
  ParseCardLine(line.c_str(), static_cast<int>(line.size()), card, now);
  EXPECT_STREQ(kFixedStamp, card.created);
  EXPECT_STREQ(kFixedStamp, card.lastModified);
  EXPECT_EQ("43210", clock.asked);  // once per load, however many fields need it
  EXPECT_EQ(3, card.modifyCount);
}

TEST(CardLine, ShortLineLeavesTheRestEmptyAndCountsFromTheUnparsedRest) {
  CardRecord card = Parse("abcdefgh\tijklmnop\t42\n");
  EXPECT_STREQ("abcdefgh", card.name);
  EXPECT_STREQ("ijklmnop", card.reading);
  EXPECT_STREQ("", card.group);
  EXPECT_STREQ("", card.created);  // no tab found: not stamped
  EXPECT_EQ(42, card.modifyCount);
}

TEST(CardLine, LastLineWithoutLineEndHasModifyCountZero) {
  std::string line = Fields({"n", "", "",  "", "",  "0", "", "0", "",  "0", "",
                             "0", "", "0", "", "0", "",  "", "a", "b", "9"});
  line.pop_back();
  EXPECT_EQ(0, Parse(line).modifyCount);
}

TEST(CardLine, TrailBytesAndEscapesAtTheSeparator) {
  EXPECT_STREQ("ソ", Parse("ソ\t表\tx\t\t\t\t\t\t\t\t\n").name);
  EXPECT_STREQ("表", Parse("ソ\t表\tx\t\t\t\t\t\t\t\t\n").reading);
  // Written elsewhere: a backslash before the tab hides it, and the
  // backslashes are kept as they are.
  CardRecord card = Parse("a\\\tb\tc\\\\\td\t\t\t\t\t\t\t\t\n");
  EXPECT_STREQ("a\\\tb", card.name);
  EXPECT_STREQ("c\\\\", card.reading);
  EXPECT_STREQ("d", card.group);
}

TEST(CardLine, LongFieldsAreCutAtACharacterBoundaryAndNeverSpill) {
  std::string name = "a";
  for (int i = 0; i < 40; ++i) name += "あ";  // 81 bytes
  CardRecord card = Parse(Fields({name.c_str(), "ｶﾅ", "g", "1234567890123456789",
                                  "",           "0",  "",  "0",
                                  "",           "0",  "",  "0",
                                  "",           "0",  "",  "0",
                                  "",           "",   "",  "",
                                  "1"}));
  EXPECT_EQ(63u, strlen(card.name));
  EXPECT_EQ(0, memcmp(card.name, name.data(), 63));
  EXPECT_STREQ("ｶﾅ", card.reading);
  EXPECT_STREQ("g", card.group);
  EXPECT_STREQ("123456789012345", card.postalCode);
  std::string wide;
  for (int i = 0; i < 40; ++i) wide += "い";  // 80 bytes: cut to 62, not 63
  EXPECT_EQ(62u, strlen(Parse(wide + "\tx\t\n").name));
}

TEST(CardLine, EmptyNameKeepsTheCardUnderAPlaceholder) {
  CardRecord card = Parse(Fields({"",  "ﾖﾐ", "",  "", "",  "0", "",     "0", "", "0", "",
                                  "0", "",   "0", "", "0", "",  "memo", "",  "", "0"}));
  EXPECT_STREQ(kUnnamedCardName, card.name);
  EXPECT_STREQ("memo", card.memo);
}

TEST(CardLine, WritesTheFileLayout) {
  CardRecord card;
  memset(&card, 0, sizeof card);
  strcpy(card.name, "名");
  strcpy(card.phones[1].number, "03");
  card.phones[1].type = 3;
  card.mails[0].type = -1;
  strcpy(card.created, "c");
  card.modifyCount = 5;
  EXPECT_EQ("名\t\t\t\t\t0\t\t3\t03\t0\t\t-1\t\t0\t\t0\t\t\tc\t\t5\n", Line(card));
}

TEST(CardLine, WriterKeepsTabsAndLineEndsOutOfFields) {
  CardRecord card;
  memset(&card, 0, sizeof card);
  strcpy(card.name, "a\tb");
  strcpy(card.memo, "line1\r\nline2\n");
  std::string line = Line(card);
  CardRecord back = Parse(line);
  EXPECT_STREQ("a b", back.name);
  EXPECT_STREQ("line1  line2 ", back.memo);
}

TEST(CardLine, WriterKeepsEndingsFromHidingTheNextTab) {
  CardRecord card;
  memset(&card, 0, sizeof card);
  strcpy(card.name, "C:\\dir\\");
  strcpy(card.reading, "\\\\");               // an even run hides nothing
  strcpy(card.group, "ab\x81");               // a lead byte with its second byte cut off
  strcpy(card.address, "\xA0");               // a lead byte to the line splitter
  memset(card.memo, '\\', 511);               // full: the last byte gives way
  memset(card.postalCode, '\x81', 14);        // seven characters, none cut
  memset(card.phones[0].number, '\x81', 23);  // full, its last lead byte alone
  CardRecord back = Parse(Line(card));
  EXPECT_STREQ("C:\\dir\\ ", back.name);
  EXPECT_STREQ("\\\\", back.reading);
  // A tab is never a second byte here, but it is to a reader that pairs
  // every lead byte with the next byte: a lone one keeps a blank after it.
  EXPECT_STREQ("ab\x81 ", back.group);
  EXPECT_STREQ("\xA0 ", back.address);
  EXPECT_EQ(std::string(510, '\\') + " ", back.memo);
  EXPECT_EQ(std::string(14, '\x81'), back.postalCode);
  EXPECT_EQ(std::string(22, '\x81') + " ", back.phones[0].number);
}

// Whatever the writer writes reads back as the same fields, and writing
// them again gives the same line: a save never shifts or merges fields.
TEST(CardLine, EveryWrittenLineReadsBackFieldForField) {
  static const char* const kPieces[] = {"a",    "\\",   "\t", "\r", "\n", "ソ", "表", "\x81",
                                        "\xA0", "\xFD", "あ", "ｱ",  " ",  ",",  "\""};
  std::mt19937 random(20261208);
  auto fill = [&](char* field, size_t width) {
    std::string text;
    int pieces = static_cast<int>(random() % 12);
    for (int i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
    if (random() % 8 == 0) text = std::string(width * 2, '\\');
    CopyCutStringForTest(field, width, text);
  };
  for (int round = 0; round < 3000; ++round) {
    CardRecord card;
    memset(&card, 0, sizeof card);
    fill(card.name, sizeof card.name);
    fill(card.reading, sizeof card.reading);
    fill(card.group, sizeof card.group);
    fill(card.postalCode, sizeof card.postalCode);
    fill(card.address, sizeof card.address);
    for (PhoneEntry& p : card.phones) {
      p.type = static_cast<int32_t>(random()) - 1000;
      fill(p.number, sizeof p.number);
    }
    for (MailEntry& m : card.mails) fill(m.address, sizeof m.address);
    fill(card.memo, sizeof card.memo);
    fill(card.created, sizeof card.created);
    fill(card.lastModified, sizeof card.lastModified);
    // An empty date is stamped on loading; that rule has its own test.
    if (card.created[0] == '\0') strcpy(card.created, "c");
    if (card.lastModified[0] == '\0') strcpy(card.lastModified, "m");
    card.modifyCount = static_cast<int32_t>(random());
    std::string first = Line(card);
    ASSERT_LE(first.size(), static_cast<size_t>(kMaxCardLineBytes));
    ASSERT_EQ(20u, Tabs(first).size()) << "round " << round;
    ASSERT_EQ(Tabs(first), TabsPairingEveryLeadByte(first)) << "round " << round;
    CardRecord back = Parse(first);
    if (card.name[0] == '\0') continue;  // the placeholder name is tested above
    std::string second = Line(back);
    ASSERT_EQ(first, second) << "round " << round;
    EXPECT_EQ(card.phones[2].type, back.phones[2].type);
    EXPECT_EQ(card.modifyCount, back.modifyCount);
  }
}

}  // namespace
