#include "text/cstring.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "text/text_helpers.h"

namespace {

TEST(CStringTest, GrowsByAppendingAndCopiesDeeply) {
  CString text;
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_STREQ("", text);
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    text += "あb";
    expected += "あb";
  }
  EXPECT_EQ(600, text.GetLength());
  EXPECT_EQ(expected, static_cast<const char*>(text));
  CString copy = text;
  copy += "!";
  EXPECT_EQ(600, text.GetLength());
  EXPECT_EQ(601, copy.GetLength());
  copy = "short";
  EXPECT_STREQ("short", copy);
  copy = "";
  EXPECT_TRUE(copy.IsEmpty());
}

TEST(CStringTest, AppendsAndAssignsItsOwnText) {
  CString text("abc");
  text += text;
  EXPECT_STREQ("abcabc", text);
  text = static_cast<const char*>(text) + 3;
  EXPECT_STREQ("abc", text);
  text = text;
  EXPECT_STREQ("abc", text);
}

TEST(CStringTest, BufferKeepsTextAndReleaseRecountsIt) {
  CString text("abc");
  char* buffer = text.GetBuffer(10);
  EXPECT_STREQ("abc", buffer);
  strcpy(buffer, "abcdefghij");
  text.ReleaseBuffer();
  EXPECT_EQ(10, text.GetLength());
  text.GetBuffer(0);
  text.ReleaseBuffer(2);
  EXPECT_STREQ("ab", text);
  CString empty;
  empty.ReleaseBuffer();  // never writes into the shared empty text
  EXPECT_STREQ("", empty);
}

TEST(CStringTest, ToHalfWidthStringNarrowsAndRecountsTheLength) {
  CString text("０３（１２３４）");
  EXPECT_EQ(16, text.GetLength());
  ToHalfWidthString(text);
  EXPECT_STREQ("03(1234)", text);
  EXPECT_EQ(8, text.GetLength());
  CString empty;
  EXPECT_STREQ("", ToHalfWidthString(empty));
}

}  // namespace
