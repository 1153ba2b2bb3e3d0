#include "text/byte_text.h"

#include <gtest/gtest.h>

#include <string>

#include "cards/book_paths.h"

namespace {

TEST(TextLiterals, ReachTheProgramAsCodePage932) {
  EXPECT_STREQ("\x83\x5C", "ソ");
  EXPECT_STREQ("\x95\x5C", "表");
  EXPECT_STREQ("\xB6\xDE", "ｶﾞ");
}

TEST(CopyCut, CutsAtTheWidthWithoutSplittingACharacter) {
  char buffer[8];
  EXPECT_EQ(6u, CopyCutString(buffer, "あいうえ"));  // 7 bytes would split え
  EXPECT_STREQ("あいう", buffer);
  EXPECT_EQ(7u, CopyCutString(buffer, "aあいうえ"));
  EXPECT_STREQ("aあいう", buffer);
  EXPECT_EQ(7u, CopyCutString(buffer, "ｱｲｳｴｵｶｷｸ"));  // half-width kana are one byte
  EXPECT_STREQ("ｱｲｳｴｵｶｷ", buffer);
  EXPECT_EQ(2u, CopyCut(buffer, sizeof buffer, "ab\tcd", 2));
  EXPECT_STREQ("ab", buffer);
}

TEST(CopyCut, KeepsALoneLeadByteThatEndsTheSourceAndNeverReadsPastIt) {
  char buffer[8];
  EXPECT_EQ(3u, CopyCut(buffer, sizeof buffer, "ab\x81", 3));
  EXPECT_STREQ("ab\x81", buffer);
}

TEST(BookPaths, RefuseAPathTooLongForTheBuffer) {
  char path[kPathBufferSize];
  ASSERT_TRUE(BuildBookFilePath(path, "dir", kCardFileName));
  std::string expected =
      std::string("dir") + kPathSeparator + "Quillbook" + kPathSeparator + "Quillbook.dat";
  EXPECT_EQ(expected, path);
  std::string longDir(kPathBufferSize - 20, 'd');
  EXPECT_FALSE(BuildBookFilePath(path, longDir.c_str(), kCardFileName));
  EXPECT_STREQ("", path);
  EXPECT_TRUE(BuildBookFolderPath(path, longDir.c_str()));
}

}  // namespace
