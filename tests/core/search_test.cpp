#include <gtest/gtest.h>
#include <stdint.h>
#include <string.h>

#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/card_search.h"
#include "search/match_rules.h"
#include "tests/core/fold_search_cases.h"
#include "tests/core/test_files.h"
#include "text/byte_text.h"
#include "text/search_fold.h"

namespace {

// Positions on a card line.
constexpr int kName = 0;
constexpr int kReading = 1;
constexpr int kGroup = 2;
constexpr int kPostal = 3;
constexpr int kAddress = 4;
constexpr int kPhoneType1 = 5;
constexpr int kPhone1 = 6;
constexpr int kPhone2 = 8;
constexpr int kPhone3 = 10;
constexpr int kMail1 = 12;
constexpr int kMemo = 17;
constexpr int kCreated = 18;
constexpr int kCount = 20;

const char kHeading[] = "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号 5678 太郎\r\n";

// A full card line: empty texts, zero types and counts, fixed dates, with
// the given fields put in.
std::string CardLine(std::initializer_list<std::pair<int, std::string>> fields,
                     const char* end = "\r\n") {
  std::vector<std::string> f = {"",
                                "",
                                "",
                                "",
                                "",
                                "0",
                                "",
                                "0",
                                "",
                                "0",
                                "",
                                "0",
                                "",
                                "0",
                                "",
                                "0",
                                "",
                                "",
                                "2020/1/1  00:00",
                                "2020/1/1  00:00",
                                "1"};
  for (const auto& [position, text] : fields) f[position] = text;
  std::string line = f[0];
  for (size_t i = 1; i < f.size(); ++i) line += "\t" + f[i];
  return line + end;
}

std::string Yamada() {
  return CardLine({{kName, "山田太郎"},
                   {kReading, "やまだたろう"},
                   {kGroup, "友人"},
                   {kPhone1, "03-1234-5678"}});
}

bool Matches(const char* field, const char* text) { return MatchesSearchWords(field, text); }

bool PhoneFound(const char* field, const char* text) { return PhoneKey(text).FoundIn(field); }

class RecordingSink : public SearchSink {
 public:
  bool StopRequested() override {
    ++asked;
    return lines.size() >= stopAfter;
  }
  void Result(const char* line) override { lines.push_back(line); }

  std::vector<std::string> lines;
  size_t stopAfter = SIZE_MAX;
  int asked = 0;
};

class CardFileSearchTest : public ::testing::Test {
 protected:
  void Put(const std::string& cardLines) { WriteBytes(m_strPath, kHeading + cardLines); }
  std::vector<std::string> Search(const char* text, int mode = kTextSearch) {
    RecordingSink sink;
    SearchCardFile(m_strPath.c_str(), mode, text, sink);
    return sink.lines;
  }

  ScratchFolder m_folder;
  std::string m_strPath = m_folder.File("Quillbook.dat");
};

using Lines = std::vector<std::string>;

TEST(WordRule, FindsAWordAnywhereInAFieldButOnlyWhole) {
  EXPECT_TRUE(Matches("03-1234-5678", "5678"));
  EXPECT_TRUE(Matches("03-1234-5678", "4-5"));
  EXPECT_TRUE(Matches("03-1234-5678", "03-1234-5678"));
  EXPECT_FALSE(Matches("03-1234-5678", "56789"));
  EXPECT_FALSE(Matches("", "5"));
}

TEST(WordRule, WordsBeforeABlankAreAlternatives) {
  EXPECT_TRUE(Matches("山田太郎", "太郎 03"));
  EXPECT_TRUE(Matches("山田太郎", "03 太郎"));
  EXPECT_TRUE(Matches("c", "a b c"));
  EXPECT_FALSE(Matches("山田太郎", "03 04"));
  // The full-width blank is part of a word.
  EXPECT_FALSE(Matches("山田", "山田　太郎"));
  EXPECT_TRUE(Matches("x山田　太郎x", "山田　太郎"));
}

TEST(WordRule, TheEmptyWordOccursInEveryFieldSoATrailingBlankMatchesAll) {
  EXPECT_TRUE(Matches("", ""));
  EXPECT_TRUE(Matches("山田", ""));
  EXPECT_TRUE(Matches("", "abc "));
  EXPECT_TRUE(Matches("", "a b "));
  EXPECT_FALSE(Matches("", "abc"));
}

TEST(WordRule, ABlankAfterABlankStaysWithTheRestOfTheText) {
  // "a  b" tries "a", then " b" whole.
  EXPECT_TRUE(Matches("xa", "a  b"));
  EXPECT_TRUE(Matches("x b", "a  b"));
  EXPECT_FALSE(Matches("b", "a  b"));
  EXPECT_FALSE(Matches("xb", " b"));
  EXPECT_TRUE(Matches("a b c", " b c"));
}

TEST(WordRule, FoldsNeitherCaseNorWidthNorKana) {
  EXPECT_FALSE(Matches("abc", "Abc"));
  EXPECT_FALSE(Matches("ABC", "ＡＢＣ"));
  EXPECT_FALSE(Matches("ＡＢＣ", "ABC"));
  EXPECT_FALSE(Matches("ヤマダ", "やまだ"));
  EXPECT_FALSE(Matches("ﾔﾏﾀﾞ", "ヤマダ"));
}

TEST(WordRule, ASecondByteThatLooksLikeASCIINeverStartsAMatch) {
  EXPECT_FALSE(Matches("ソ", "\\"));    // 83 5C
  EXPECT_FALSE(Matches("表示", "\\"));  // 95 5C
  EXPECT_FALSE(Matches("ポ", "|"));     // 83 7C
  EXPECT_FALSE(Matches("　", "@"));     // 81 40
  // ャ is 83 83: ソ's bytes follow from its second byte on, not at a start.
  EXPECT_FALSE(Matches("ャ\\", "ソ"));
  EXPECT_FALSE(Matches("ソソ", "\\\x83"));
  // What follows a two-byte character is found; so is a real backslash.
  EXPECT_TRUE(Matches("ソ\\", "\\"));
  EXPECT_TRUE(Matches("\\ソ", "ソ"));
  EXPECT_TRUE(Matches("ｱ\\", "\\"));  // half-width kana are one byte
}

TEST(WordRule, ALeadByteThatEndsADamagedFieldIsACharacterOfItsOwn) {
  EXPECT_TRUE(Matches("ab\x83", "\x83"));
  EXPECT_FALSE(Matches("ab\x83", "\x83\x5C"));
  EXPECT_FALSE(Matches("ab\x83", "b\x83x"));
}

// The plain walk, one character at a time from the field's start, that the
// word search must agree with.
bool PlainWalkFinds(const std::string& field, const std::string& word) {
  for (size_t i = 0; i + word.size() <= field.size();
       i += IsCp932LeadByte(static_cast<unsigned char>(field[i])) ? 2 : 1) {
    if (field.compare(i, word.size(), word) == 0) return true;
  }
  return false;
}

TEST(WordRule, AgreesWithThePlainWalkOnEveryInput) {
  static const char* const kPieces[] = {"山田", "表",   "ソ",   "ャ",   "　",   "ｱ",
                                        "a",    "\\",   "@",    "\x81", "\x83", "\x9F",
                                        "\xE0", "\xFC", "\x80", "\xA0"};
  static const char kLeadRange[] = "\x81\x83\x88\x9F\xE0\xFC";
  std::mt19937 random(25);
  for (int round = 0; round < 100000; ++round) {
    std::string field, word;
    for (int n = static_cast<int>(random() % 24); n > 0; --n) {
      field += round % 4 == 0 ? std::string(1, kLeadRange[random() % 6])
                              : kPieces[random() % std::size(kPieces)];
    }
    if (random() % 2 == 0 && !field.empty()) {
      word = field.substr(random() % field.size(), random() % 7);
    } else {
      for (int n = 1 + static_cast<int>(random() % 2); n > 0; --n) {
        word += kPieces[random() % std::size(kPieces)];
      }
    }
    if (random() % 4 == 0) word += kLeadRange[random() % 6];
    // Exactly the field's bytes, so that a read past them shows.
    std::unique_ptr<char[]> exact(new char[field.size() + 1]);
    memcpy(exact.get(), field.data(), field.size());
    ASSERT_EQ(PlainWalkFinds(field, word),
              OccursAtCharBoundary(exact.get(), field.size(), word.data(), word.size()))
        << "round " << round;
  }
}

TEST(PhoneRule, NarrowsAndDropsTheMarksOfANumberOnBothSides) {
  EXPECT_TRUE(PhoneFound("03-1234-5678", "０３（１２３４）５６７８"));
  EXPECT_TRUE(PhoneFound("(03)1234-5678", "0312345678"));
  EXPECT_TRUE(PhoneFound("０３ー１２３４ー５６７８", "03-1234-5678"));
  EXPECT_TRUE(PhoneFound("03P1234", "31"));
  EXPECT_TRUE(PhoneFound("03-1234-5678", ""));
  EXPECT_FALSE(PhoneFound("03-1234-5678", "5679"));
}

TEST(PhoneRule, TheTextIsOneWordAndFullWidthLettersAreNarrowedFirst) {
  EXPECT_FALSE(PhoneFound("03-1234-5678", "03 1234"));
  EXPECT_FALSE(PhoneFound("03-1234-5678", "1234 9999"));
  EXPECT_TRUE(PhoneFound("03-1234-5678", "０３Ｐ１２３４"));  // Ｐ narrows to P
  EXPECT_FALSE(PhoneFound("03-1234-5678", "03p1234"));
}

TEST(PhoneRule, ATextLongerThanAnyFieldCountsOnlyWhatIsLeftOfIt) {
  EXPECT_TRUE(PhoneFound("03-1234-5678", (std::string(300, '-') + "5678").c_str()));
  EXPECT_TRUE(PhoneFound("03-1234-5678", (std::string(100, '(') + "０３").c_str()));
  EXPECT_FALSE(PhoneFound("12345678901234567890123", std::string(24, '1').c_str()));
  std::string wide;
  for (int i = 0; i < 30; ++i) wide += "１";
  EXPECT_FALSE(PhoneFound("11111111111111111111111", wide.c_str()));
  EXPECT_TRUE(PhoneFound("11111111111111111111111", wide.substr(0, 46).c_str()));
}

TEST_F(CardFileSearchTest, ReportsNameReadingGroupAndTheFirstMatchingField) {
  Put(Yamada());
  EXPECT_EQ(Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"03-1234-5678\""}, Search("5678"));
  EXPECT_EQ(Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"山田太郎\""}, Search("太郎 03"));
  EXPECT_EQ(Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"03-1234-5678\""}, Search("99 03"));
}

TEST_F(CardFileSearchTest, SendsOneLinePerCardLineEmptyWhenItDoesNotMatch) {
  Put(Yamada() + "\r\n" + CardLine({{kName, "佐藤"}}) + "\n" +
      CardLine({{kName, "鈴木"}, {kMemo, "5678番"}}, "\n") + "\r\n" +
      CardLine({{kName, "田中"}, {kPhone3, "5678"}}, ""));
  EXPECT_EQ((Lines{"山田太郎 (やまだたろう) [ 友人 ] : \"03-1234-5678\"", "",
                   "鈴木 () [  ] : \"5678番\"", "田中 () [  ] : \"5678\""}),
            Search("5678"));
  EXPECT_EQ((Lines{"", "", "", ""}), Search("名前"));  // the heading is no card
}

TEST_F(CardFileSearchTest, TriesTheFieldsInOrderAndNotTheTypesDatesOrCount) {
  Put(CardLine({{kName, "A"}, {kMemo, "xyz"}, {kMail1, "xyz@example.jp"}, {kAddress, "x"}}) +
      CardLine({{kName, "B"}, {kPhoneType1, "7777"}, {kCreated, "7777"}, {kCount, "7777"}}) +
      CardLine({{kName, "C"}, {kGroup, "家族"}, {kPostal, "家族"}}));
  EXPECT_EQ((Lines{"A () [  ] : \"xyz@example.jp\"", "", ""}), Search("xyz"));
  EXPECT_EQ((Lines{"", "", ""}), Search("7777"));
  EXPECT_EQ((Lines{"", "", "C () [ 家族 ] : \"家族\""}), Search("族"));
}

TEST_F(CardFileSearchTest, AnEmptyTextMatchesEveryCardOnItsNameEvenAnEmptyOne) {
  Put(Yamada() + CardLine({{kReading, "よみ"}, {kPhone2, "1"}}));
  Lines expected = {"山田太郎 (やまだたろう) [ 友人 ] : \"山田太郎\"", " (よみ) [  ] : \"\""};
  EXPECT_EQ(expected, Search(""));
  EXPECT_EQ(expected, Search("zzz "));
}

TEST_F(CardFileSearchTest, ADamagedLineGivesEmptyTextsForTheFieldsItLacks) {
  Put("山田\t太郎\r\n"
      "no tab at all\r\n"
      "M\t\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\tmemo\r\n");
  EXPECT_EQ((Lines{"山田 () [  ] : \"山田\"", "", ""}), Search("山田"));
  EXPECT_EQ((Lines{"", "", ""}), Search("太郎"));  // no tab after it
  EXPECT_EQ((Lines{"", "", ""}), Search("memo"));  // nor after the last field
  EXPECT_EQ((Lines{"山田 () [  ] : \"山田\"", " () [  ] : \"\"", "M () [  ] : \"M\""}), Search(""));
  // A lone lead byte never takes its tab; a file without LF ends lines at CR.
  WriteBytes(m_strPath, "heading\r山\x81\tyomi\t\r\rx\t\r");
  EXPECT_EQ((Lines{"山\x81 (yomi) [  ] : \"yomi\"", ""}), Search("yomi"));
  // A NUL ends a field's text.
  WriteBytes(m_strPath, std::string("heading\r\nab\0cd\tx\t\r\n", 19));
  EXPECT_EQ((Lines{""}), Search("cd"));
  EXPECT_EQ((Lines{"ab (x) [  ] : \"ab\""}), Search("ab"));
}

TEST_F(CardFileSearchTest, LongFieldsFromAnotherProgramAreMatchedAndReportedWhole) {
  std::string name;
  for (int i = 0; i < 40; ++i) name += "あ";
  Put(CardLine({{kName, name + "X"}, {kAddress, std::string(600, 'a') + "Z"}}) +
      CardLine({{kName, std::string(70, 'n')},
                {kReading, std::string(70, 'r')},
                {kGroup, std::string(70, 'g')},
                {kMemo, std::string(600, 'm')}}) +
      CardLine({{kPhone1, std::string(30, '0') + "１２３"}}));
  EXPECT_EQ((Lines{name + "X () [  ] : \"" + name + "X\"", "", ""}), Search("X Z"));
  Lines longest = Search("m");
  ASSERT_EQ(3u, longest.size());
  EXPECT_EQ(std::string(70, 'n') + " (" + std::string(70, 'r') + ") [ " + std::string(70, 'g') +
                " ] : \"" + std::string(600, 'm') + "\"",
            longest[1]);
  EXPECT_EQ((Lines{"", "", " () [  ] : \"" + std::string(30, '0') + "１２３\""}),
            Search("0123", kPhoneSearch));
}

TEST_F(CardFileSearchTest, StopsBeforeTheNextCardLineWhenAsked) {
  Put(Yamada() + Yamada() + Yamada());
  RecordingSink afterOne;
  afterOne.stopAfter = 1;
  SearchCardFile(m_strPath.c_str(), kTextSearch, "5678", afterOne);
  EXPECT_EQ(1u, afterOne.lines.size());
  RecordingSink beforeAny;
  beforeAny.stopAfter = 0;
  SearchCardFile(m_strPath.c_str(), kTextSearch, "5678", beforeAny);
  EXPECT_EQ(0u, beforeAny.lines.size());
}

TEST_F(CardFileSearchTest, AFileThatCannotBeOpenedOrHoldsNoCardGivesNoLine) {
  EXPECT_EQ(Lines{}, Search(""));
  RecordingSink sink;
  SearchCardFile(nullptr, kTextSearch, "", sink);
  EXPECT_EQ(Lines{}, sink.lines);
  WriteBytes(m_strPath, "");
  EXPECT_EQ(Lines{}, Search(""));
  WriteBytes(m_strPath, "heading only");
  EXPECT_EQ(Lines{}, Search(""));
}

TEST_F(CardFileSearchTest, AModeNotServedGivesItsOneLineAndReadsNoCard) {
  Put(Yamada());
  for (int mode : {3, -1, 32767}) {
    RecordingSink sink;
    SearchCardFile(m_strPath.c_str(), mode, "", sink);
    EXPECT_EQ(Lines{"非対応の検索モードです。"}, sink.lines) << mode;
    EXPECT_EQ(0, sink.asked);
  }
  RecordingSink sink;
  SearchCardFile(nullptr, 3, "", sink);
  EXPECT_EQ(Lines{"非対応の検索モードです。"}, sink.lines);
}

TEST_F(CardFileSearchTest, AFoldedSearchFindsACardByHowItsNameSounds) {
  std::string cards;
  for (const FoldCard& card : kFoldCards) cards += FoldCardLine(card);
  Put(cards);
  for (const FoldQuery& query : kFoldQueries) {
    RecordingSink sink;
    SearchCardFile(m_strPath.c_str(), kFoldSearch, query.text, sink,
                   query.dropVoicing ? kFoldDropVoicing : 0);
    Lines found;
    for (const std::string& line : sink.lines) {
      if (!line.empty()) found.push_back(line);
    }
    EXPECT_EQ(FoldResults(query.found), found) << query.text;
  }
}

TEST_F(CardFileSearchTest, APhoneSearchTriesPostalCodeAndNumbersAndShowsThemAsStored) {
  Put(CardLine({{kName, "1234号"},
                {kPostal, "100-0001"},
                {kAddress, "03-1234-5678"},
                {kPhone1, "03-1234-5678"},
                {kPhone2, "(０９０)１１１１－２２"},
                {kPhone3, "100"}}));
  EXPECT_EQ(Lines{"1234号 () [  ] : \"03-1234-5678\""},
            Search("０３（１２３４）５６７８", kPhoneSearch));
  EXPECT_EQ(Lines{"1234号 () [  ] : \"(０９０)１１１１－２２\""},
            Search("090-1111-22", kPhoneSearch));
  EXPECT_EQ(Lines{"1234号 () [  ] : \"100-0001\""}, Search("100", kPhoneSearch));
  EXPECT_EQ(Lines{""}, Search("号", kPhoneSearch));
}

}  // namespace
