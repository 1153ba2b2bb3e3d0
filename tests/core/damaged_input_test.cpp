// Damaged and hostile files where the book's files should be: each loads to a
// defined result, and a load followed by a save loses nothing that was in
// the file, either because every card comes back or because the file is
// kept as it was.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cards/card_file.h"
#include "cards/safe_file.h"
#include "groups/group_list.h"
#include "tests/core/test_files.h"
#include "text/byte_text.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char kHeading[] =
    "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t"
    "電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\t"
    "メモ\t作成日\t最終更新日\t更新回数\r\n";

std::string Card(const std::string& name, const std::string& group = "") {
  return name + "\tﾖﾐ\t" + group +
         "\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t2020/1/1  00:00\t2020/1/1  00:00\t1\r\n";
}

std::string Cards(int count) {
  std::string bytes = kHeading;
  for (int i = 0; i < count; ++i) bytes += Card("c" + std::to_string(i));
  return bytes;
}

std::string Utf8(const char* text) { return text; }  // bytes as they stand

std::string WithLineFeeds(std::string bytes) {
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
  return bytes;
}

// The bytes of a plain file; a pipe or a device is never read.
std::string Contents(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) ? ReadBytes(path) : std::string();
}

enum Outcome { kRead, kNone, kRefused };  // cards read, no file, file not read

struct Row {
  const char* what;
  std::function<void(const std::string& path)> put;
  Outcome outcome;
  int cards;  // in the table after loading; -1: not checked
  bool lost;  // the load could not keep all of the file
};

void Bytes(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }

std::vector<Row> CardFileRows() {
  std::vector<Row> rows = {
      {"missing", [](const std::string&) {}, kNone, 1, false},
      {"empty", [](const std::string& p) { Bytes(p, ""); }, kRead, 1, false},
      {"heading only", [](const std::string& p) { Bytes(p, kHeading); }, kRead, 1, false},
      {"three cards", [](const std::string& p) { Bytes(p, Cards(3)); }, kRead, 3, false},
      {"line feeds only", [](const std::string& p) { Bytes(p, WithLineFeeds(Cards(2) + "\r\n")); },
       kRead, 2, false},
      {"blank lines between cards",
       [](const std::string& p) { Bytes(p, std::string(kHeading) + "\r\n" + Card("a") + "\r\n"); },
       kRead, 1, false},
      {"cut inside the last card",
       [](const std::string& p) { Bytes(p, Cards(2) + Card("cut").substr(0, 30)); }, kRead, 3,
       false},
      {"cut inside the heading", [](const std::string& p) { Bytes(p, "名前\t読"); }, kRead, 1,
       false},
      {"no heading", [](const std::string& p) { Bytes(p, Card("a") + Card("b")); }, kRead, 1, true},
      {"binary",
       [](const std::string& p) {
         std::string bytes;
         for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131 + 7) & 0xFF);
         Bytes(p, bytes);
       },
       kRead, -1, true},
      {"UTF-8 heading and card",
       [](const std::string& p) { Bytes(p, Utf8("\xE5\x90\x8D\xE5\x89\x8D\r\n") + Card("a")); },
       kRead, 1, false},
      {"byte-order mark", [](const std::string& p) { Bytes(p, "\xEF\xBB\xBF" + Cards(2)); }, kRead,
       2, true},
      {"NUL inside a card",
       [](const std::string& p) { Bytes(p, std::string(kHeading) + Card(std::string("a\0b", 3))); },
       kRead, 1, true},
      {"NUL bytes only", [](const std::string& p) { Bytes(p, std::string(100, '\0')); }, kRead, 1,
       false},
      {"1 MB line",
       [](const std::string& p) { Bytes(p, Cards(1) + std::string(1 << 20, 'x') + "\r\n"); }, kRead,
       2, true},
      {"10 KB name",
       [](const std::string& p) { Bytes(p, kHeading + Card(std::string(10240, 'n'))); }, kRead, 1,
       true},
      {"10 KB group name",
       [](const std::string& p) { Bytes(p, kHeading + Card("a", std::string(10240, 'g'))); }, kRead,
       1, true},
      {"500 cards", [](const std::string& p) { Bytes(p, Cards(500)); }, kRead, 500, false},
      {"600 cards", [](const std::string& p) { Bytes(p, Cards(600)); }, kRead, 500, true},
      {"short line with text",
       [](const std::string& p) { Bytes(p, Cards(1) + "short\r\n" + Card("b")); }, kRead, 2, true},
      {"more than 21 fields",
       [](const std::string& p) { Bytes(p, kHeading + std::string("a\tb\t") + Card("c")); }, kRead,
       1, true},
      {"five fields",
       [](const std::string& p) {
         Bytes(p, kHeading + std::string("name\treading\tgroup\tpostal\t\r\n"));
       },
       kRead, 1, false},
      {"a field without its tab",
       [](const std::string& p) { Bytes(p, kHeading + std::string("name\treading\taddress\r\n")); },
       kRead, 1, true},
      {"last line without its end",
       [](const std::string& p) { Bytes(p, Cards(1) + Card("b").substr(0, Card("b").size() - 2)); },
       kRead, 2, false},
      {"a line of tabs",
       [](const std::string& p) { Bytes(p, kHeading + std::string(10240, '\t')); }, kRead, 1, true},
      {"CR line ends alone",
       [](const std::string& p) {
         std::string bytes = WithLineFeeds(Cards(3));
         std::replace(bytes.begin(), bytes.end(), '\n', '\r');
         Bytes(p, bytes);
       },
       kRead, 3, false},
      {"a field ending in a lone lead byte",
       [](const std::string& p) { Bytes(p, kHeading + Card("a\x81") + Card("b\xE0")); }, kRead, 2,
       false},
      {"a folder", [](const std::string& p) { std::filesystem::create_directory(p); }, kRefused, 1,
       false},
      {"a path too long for the book", [](const std::string&) {}, kNone, 1, false},
  };
#ifndef _WIN32
  rows.push_back({"a pipe", [](const std::string& p) { ASSERT_EQ(0, mkfifo(p.c_str(), 0600)); },
                  kRefused, 1, false});
  rows.push_back({"a device",
                  [](const std::string& p) { ASSERT_EQ(0, symlink("/dev/zero", p.c_str())); },
                  kRefused, 1, false});
  rows.push_back({"a link loop",
                  [](const std::string& p) {
                    ASSERT_EQ(0, symlink((p + ".b").c_str(), p.c_str()));
                    ASSERT_EQ(0, symlink(p.c_str(), (p + ".b").c_str()));
                  },
                  kRefused, 1, false});
  rows.push_back({"a link to the book",
                  [](const std::string& p) {
                    Bytes(p + ".target", Cards(2));
                    ASSERT_EQ(0, symlink((p + ".target").c_str(), p.c_str()));
                  },
                  kRead, 2, false});
  // Not a new book: the target may come back (a drive not mounted).
  rows.push_back(
      {"a link to nothing",
       [](const std::string& p) { ASSERT_EQ(0, symlink((p + ".gone").c_str(), p.c_str())); },
       kRefused, 1, false});
#endif
  return rows;
}

// The names as the writer puts them on the line: a lone lead byte gets a
// blank after it.
std::string Names(const CardTable& table) {
  std::string names;
  for (int i = 0; i < table.m_nCardCount; ++i) {
    char name[sizeof table.m_cards[i].name];
    AppendLineField(name, table.m_cards[i].name, sizeof name, '\t');
    names += std::string(name) + ";";
  }
  return names;
}

TEST(DamagedInput, EachCardFileLoadsToADefinedResultAndASaveLosesNothing) {
  static CardTable table;
  static CardTable reread;
  FixedClock clock;
  for (const Row& row : CardFileRows()) {
    SCOPED_TRACE(row.what);
    ScratchFolder folder;
    std::string path = folder.File(kCardFileName);
    char tooLong[kPathBufferSize];
    if (std::string(row.what) == "a path too long for the book") {
      // The tool has no path for a book folder that does not fit.
      EXPECT_FALSE(BuildBookFilePath(tooLong, std::string(300, 'p').c_str(), kCardFileName));
      path = tooLong;
    }
    row.put(path);
    const std::string before = Contents(path);
    CardFileLoad load;
    int result = LoadCardFile(path.c_str(), table, clock, &load);
    Outcome outcome = IsUnread(load)                          ? kRefused
                      : load.problem == FileProblem::kMissing ? kNone
                                                              : kRead;
    EXPECT_EQ(row.outcome, outcome) << FileProblemText(load.problem);
    if (row.cards >= 0) {
      EXPECT_EQ(row.cards, table.m_nCardCount);
    }
    if (outcome != kRead) {
      EXPECT_EQ(0, result);
    }
    EXPECT_EQ(row.lost, load.lostSome);

    char kept[kPathBufferSize];
    FileProblem problem;
    int saved = SaveLoadedCardFile(path.c_str(), table, load, kept, problem);
    if (outcome == kRefused) {
      EXPECT_EQ(0, saved);
      EXPECT_EQ(before, Contents(path));
      continue;
    }
    if (row.lost) {
      EXPECT_EQ(before, ReadBytes(kept));
    }
    if (!saved) continue;  // a place that takes no file: nothing was there to lose
    CardFileLoad again;
    LoadCardFile(path.c_str(), reread, clock, &again);
    EXPECT_EQ(FileProblem::kNone, again.problem);
    EXPECT_FALSE(again.lostSome);
    EXPECT_EQ(Names(table), Names(reread));
  }
}

// A card file that is a link is written through: the link stays and its
// target takes the cards. Links planted where the tool makes files of its
// own (the old name of a new file, the panel's mark) are never followed.
// Wine cannot make a Unix link: there a script makes them and names the
// data folder in QB_LINKED_DATA.
TEST(DamagedInput, ALinkedCardFileIsWrittenThroughAndPlantedLinksAreNeverFollowed) {
  ScratchFolder folder;
  std::string data = folder.Path();
  std::string book = data + kPathSeparator + kBookFolderName + kPathSeparator + kCardFileName;
#ifdef _WIN32
  const char* linked = getenv("QB_LINKED_DATA");
  if (linked == nullptr) GTEST_SKIP() << "no data folder with links (tests/win32/linked_data.sh)";
  data = linked;
  book = data + "\\Quillbook\\Quillbook.dat";
#else
  std::filesystem::create_directory(data + "/Quillbook");
  ASSERT_EQ(0, symlink("Quillbook.dat.target", book.c_str()));
  ASSERT_EQ(0, symlink("../victim", (book + ".new").c_str()));
  ASSERT_EQ(0, symlink("../victim", (data + "/Quillbook/Quillbook.lock").c_str()));
#endif
  const std::string victim = data + kPathSeparator + "victim";
  WriteBytes(book + ".target", Cards(2));
  WriteBytes(victim, "victim");
  static CardTable table;
  FixedClock clock;
  ASSERT_EQ(1, LoadCardFile(book.c_str(), table, clock));
  CopyCutString(table.m_cards[1].name, "changed");
  ASSERT_EQ(1, SaveCardFile(book.c_str(), table));
  EXPECT_NE(std::string::npos, ReadBytes(book + ".target").find("changed"));
  EXPECT_EQ(ReadBytes(book + ".target"), ReadBytes(book));
  MarkBookOpen(data.c_str());
  EXPECT_EQ("victim", ReadBytes(victim));
  ClearBookMark(data.c_str());
  EXPECT_EQ("victim", ReadBytes(victim));
#ifndef _WIN32
  struct stat info;
  ASSERT_EQ(0, lstat(book.c_str(), &info));
  EXPECT_TRUE(S_ISLNK(info.st_mode));
#endif
}

struct GroupRow {
  const char* what;
  std::function<void(const std::string& path)> put;
  std::string names;  // as loaded, each followed by ';'
  bool kept;          // a save leaves the file as it was
};

TEST(DamagedInput, EachGroupFileLoadsToADefinedResultAndASaveLosesNothing) {
  const std::vector<GroupRow> rows = {
      {"missing", [](const std::string&) {}, "", false},
      {"two names", [](const std::string& p) { Bytes(p, "家族\r\n友人\r\n"); }, "家族;友人;",
       false},
      {"a 10 KB name",
       [](const std::string& p) { Bytes(p, "家族\r\n" + std::string(10240, 'g') + "\r\n"); },
       "家族;" + std::string(10240 % 63, 'g') + ";", true},
      {"no line end", [](const std::string& p) { Bytes(p, "家族"); }, "", true},
      {"NUL inside a name", [](const std::string& p) { Bytes(p, std::string("a\0b\r\n", 5)); },
       "a;", true},
      {"twelve names",
       [](const std::string& p) {
         std::string bytes;
         for (int i = 0; i < 12; ++i) bytes += "g" + std::to_string(i) + "\r\n";
         Bytes(p, bytes);
       },
       "g0;g1;g2;g3;g4;g5;g6;g7;g8;g9;", true},
      {"a folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "", true},
#ifndef _WIN32
      {"a pipe", [](const std::string& p) { ASSERT_EQ(0, mkfifo(p.c_str(), 0600)); }, "", true},
#endif
  };
  for (const GroupRow& row : rows) {
    SCOPED_TRACE(row.what);
    ScratchFolder folder;
    std::string path = folder.File(kGroupFileName);
    row.put(path);
    const std::string before = Contents(path);
    GroupList list{};
    LoadGroupFile(path.c_str(), list);
    std::string names;
    for (int i = 0; i < list.m_nGroupCount; ++i) names += std::string(list.m_groups[i].name) + ";";
    EXPECT_EQ(row.names, names);
    EXPECT_EQ(row.kept ? 1 : 0, list.m_bMoreInFile);
    EXPECT_EQ(1, SaveGroupFile(path.c_str(), list));
    if (row.kept) {
      EXPECT_EQ(before, Contents(path));
    }
  }
}

}  // namespace
