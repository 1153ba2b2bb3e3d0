#include "framework/dialog_controls.h"

#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

namespace {

class DialogControls : public ::testing::Test {
 protected:
  HWND Make(const char* className, DWORD style) {
    return CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 100, 100, parent_, nullptr,
                           nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }
  HWND parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                 nullptr, nullptr);
};

TEST_F(DialogControls, AnEditTextCutToItsBufferKeepsWholeCharacters) {
  CEdit edit;
  edit.m_hWnd = Make("EDIT", ES_AUTOHSCROLL);
  edit.SetWindowText("aあい");
  char text[8];
  EXPECT_EQ(5, edit.GetWindowText(text, sizeof text));
  EXPECT_STREQ("aあい", text);
  EXPECT_EQ(3, edit.GetWindowText(text, 5));  // room for four bytes: half of い
  EXPECT_STREQ("aあ", text);
  EXPECT_EQ(3, edit.GetWindowText(text, 4));
  EXPECT_STREQ("aあ", text);
  EXPECT_EQ(1, edit.GetWindowText(text, 3));
  EXPECT_STREQ("a", text);
}

TEST_F(DialogControls, ListTextsThatDoNotFitAreRefusedNotOverrun) {
  CListBox list;
  list.m_hWnd = Make("LISTBOX", 0);
  list.AddString("short");
  list.AddString("a longer item");
  char text[8];
  memset(text, 'x', sizeof text);
  EXPECT_EQ(5, list.GetText(0, text, sizeof text));
  EXPECT_STREQ("short", text);
  EXPECT_EQ(LB_ERR, list.GetText(1, text, sizeof text));
  EXPECT_STREQ("", text);
  EXPECT_EQ(LB_ERR, list.GetText(2, text, sizeof text));

  CComboBox combo;
  combo.m_hWnd = Make("COMBOBOX", CBS_DROPDOWN);
  combo.AddString("a longer item");
  EXPECT_EQ(CB_ERR, combo.GetLBText(0, text, sizeof text));
}

}  // namespace
