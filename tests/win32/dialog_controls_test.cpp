#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include "framework/common_controls.h"
#include "framework/standard_controls.h"

namespace {

class DialogControls : public ::testing::Test {
 protected:
  HWND Make(const char* className, DWORD style) {
    return CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 100, 100, m_hParent, nullptr,
                           nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(m_hParent); }
  HWND m_hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
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

TEST_F(DialogControls, TreeAndListItemTextsCutToTheirBufferKeepWholeCharacters) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  CTreeCtrl tree;
  tree.m_hWnd = Make(WC_TREEVIEWA, 0);
  HTREEITEM item = tree.InsertItem("aあい", 0, 0, TVI_ROOT, TVI_LAST);
  CListCtrl list;
  list.m_hWnd = Make(WC_LISTVIEWA, LVS_REPORT);
  list.InsertColumn(0, "", 50);
  list.InsertItem(0, "aあい");
  struct {
    int size;
    const char* text;
  } const cuts[] = {{8, "aあい"}, {5, "aあ"}, {4, "aあ"}, {3, "a"}};
  for (const auto& cut : cuts) {
    char text[8];
    memset(text, 'x', sizeof text);
    EXPECT_TRUE(tree.GetItemText(item, text, cut.size));
    EXPECT_STREQ(cut.text, text) << cut.size;
    memset(text, 'x', sizeof text);
    EXPECT_EQ(static_cast<int>(strlen(cut.text)), list.GetItemText(0, 0, text, cut.size));
    EXPECT_STREQ(cut.text, text) << cut.size;
  }
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
